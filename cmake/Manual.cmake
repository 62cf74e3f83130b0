# Writes a manual page compressed as Debian keeps them (gzip -9n), under a
# temporary name first so that a failed run leaves no page behind.
#   cmake -DPROGRAMA=<vornex-cli> -DSAIDA=<page.1.gz> -P Manual.cmake   page from `PROGRAMA manual`
#   cmake -DPAGINA=<page.1> -DSAIDA=<page.1.gz> -P Manual.cmake         page as written
if(PROGRAMA)
  set(PAGINA "${SAIDA}.troff")
  execute_process(COMMAND "${PROGRAMA}" manual OUTPUT_FILE "${PAGINA}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    file(REMOVE "${PAGINA}")
    message(FATAL_ERROR "${PROGRAMA} manual: ${rc}")
  endif()
endif()
find_program(GZIP gzip REQUIRED)
execute_process(COMMAND "${GZIP}" -9n -c "${PAGINA}" OUTPUT_FILE "${SAIDA}.tmp" RESULT_VARIABLE rc)
if(PROGRAMA)
  file(REMOVE "${PAGINA}")
endif()
if(NOT rc EQUAL 0)
  file(REMOVE "${SAIDA}.tmp")
  message(FATAL_ERROR "gzip: ${rc}")
endif()
file(RENAME "${SAIDA}.tmp" "${SAIDA}")
