#pragma once
// Backup and restore of the user's declaration tables (declaracao.db in the
// data folder), the work behind the backup and restore windows and the
// `backup` and `restaurar` commands.
//
// The backup archives a consistent snapshot taken with SQLite's backup
// interface. The restore reads the whole archive into a private work folder,
// checks that what it read is a sound database holding the declaration
// tables, and only then puts it in place of declaracao.db with one rename: a
// restore that fails or is stopped leaves the user's tables as they were.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "backup/backup_file.h"

namespace vornex {

inline constexpr std::string_view kTituloBackupZema = "Zema2004";
inline constexpr std::string_view kExtensaoBackup = ".BKP";

// Texts of the backup and restore windows.
inline constexpr std::string_view kRotuloProgressoBackup = "Progresso da cópia de segurança";
inline constexpr std::string_view kRotuloProgressoRestauracao = "Progresso restauração da cópia de segurança";
inline constexpr std::string_view kMsgGravacaoBemSucedida = "Gravação da cópia bem sucedida.";
inline constexpr std::string_view kMsgRestauracaoBemSucedida = "Restauração da cópia bem sucedida.";
inline constexpr std::string_view kMsgExtensaoInvalida = "Extensao inválida de arquivo de backup.";
inline constexpr std::string_view kMsgArquivoInexistente = "Arquivo inexistente.";
inline constexpr std::string_view kMsgBackupInvalido = "Esse não é um arquivo de backup ZEMA válido";
inline constexpr std::string_view kMsgErroRestauracao = "Ocorreu um erro durante o processo de restauração.";
inline constexpr std::string_view kMsgInsiraVolume = "Insira o volume n° ";
inline constexpr std::string_view kMsgUnidadeNaoPreparada = "Unidade nao esta preparada.";
inline constexpr std::string_view kMsgCancelaBackup = "Cancelar o processo de Backup ?";
inline constexpr std::string_view kMsgCancelaRestore = "Cancelar o processo de Restore ?";
inline constexpr std::string_view kMsgEspacoInsuficiente =
    "A unidade nao oferece o espaço mínimo exigido para o Backup. \r\nSe utilizar disquetes, "
    "insira um novo\r\ncom espaco disponivel.\r\nPronto para continuar ou cancelar?";
// Details of a failed restore that the archive component does not know.
inline constexpr std::string_view kMsgSemDeclaracao =
    "A cópia de segurança não contém uma base de dados da declaração íntegra.";
inline constexpr std::string_view kMsgDeclaracaoEmUso =
    "A base de dados da declaração está em uso por outro programa.";
inline constexpr std::string_view kMsgSemPastaTrabalho = "Não foi possível criar a pasta de trabalho.";
inline constexpr std::string_view kMsgCopiaGrandeDemais =
    "A cópia de segurança é maior do que qualquer base de dados da declaração.";
inline constexpr std::string_view kMsgDeclaracaoDanificada = "A base de dados da declaração está danificada";

// "Ocorreu um erro durante o processo de backup: [texto]."
std::string MensagemErroBackup(std::string_view texto);

// A volume is started only with this much free space, and leaves some of it.
inline constexpr std::uint64_t kEspacoMinimoVolume = 50000;
inline constexpr std::uint64_t kReservaVolumeCopia = 20000;
// The MaxSize for a volume on a drive with `espacoLivre` bytes free; empty
// when the drive does not offer the minimum.
std::optional<std::int64_t> TamanhoVolumeLivre(std::uint64_t espacoLivre);
// The smallest volume size that can be asked for: what a drive with the
// minimum free space gives. Smaller volumes would not hold a block each.
inline constexpr std::int64_t kTamanhoVolumeMinimo = kEspacoMinimoVolume - kReservaVolumeCopia;
// "O tamanho de cada volume deve ser de ao menos 30000 bytes."
std::string MensagemTamanhoVolumeMinimo();
// Free space of the drive holding `pasta`; empty when it cannot be read.
std::optional<std::uint64_t> EspacoLivre(const std::filesystem::path& pasta);

// The extension, upper-cased, must be ".BKP".
bool ExtensaoBackupValida(const std::filesystem::path& arquivo);
// Adds ".BKP" to a name without extension, as the save dialog does.
std::filesystem::path ComExtensaoBackup(std::filesystem::path arquivo);

struct ResultadoCopia {
  bool ok = false;
  bool interrompida = false;  // stopped through the events, no error
  std::string mensagem;       // the window's message: success or failure
  std::string detalhe;        // what went wrong, when the message does not say it
};

// Saves declaracao.db of `pastaDados` into `arquivo` (volumes of at most
// `tamanhoVolume` bytes, which must not be below kTamanhoVolumeMinimo; 0 for
// one volume).
ResultadoCopia GravaCopiaSeguranca(const std::filesystem::path& pastaDados,
                                   const std::filesystem::path& arquivo, std::int64_t tamanhoVolume,
                                   EventosBackup* eventos = nullptr);

// Replaces declaracao.db of `pastaDados` with the one in `arquivo`. A folder
// that does not exist or is empty becomes a complete data folder.
ResultadoCopia RestauraCopiaSeguranca(const std::filesystem::path& pastaDados,
                                      const std::filesystem::path& arquivo,
                                      EventosBackup* eventos = nullptr);

}  // namespace vornex
