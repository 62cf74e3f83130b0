#pragma once
// TBackupFile: the backup archive. Files are stored as independent zlib
// streams of at most 16384 input bytes, across as many volumes as MaxSize
// asks for (archive.bkp, then archive.002, archive.003, ...). Archives of the
// older kind, with LZRW1-KH blocks, are read too.
//
// Archives are untrusted input: every length is checked before it is used,
// stored names are reduced to a file name (or, with RestoreFullPath, to a
// relative path without ".." parts) below the target folder, and a file being
// restored is written beside its target and renamed over it only once it is
// complete, so a failed restore never leaves a half-written file behind.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vornex {

enum TBackupMode { bmAll, bmIncremental };
enum TCompressionLevel { clFastest, clNone, clDefault, clMax };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };

// Error codes passed to OnError; texts from TextoErroBackup.
enum CodigoErroBackup : int {
  kErroNenhum = 0,
  kErroLeituraArquivo = 1,      // "Cannot read file"
  kErroSobrescrita = 2,         // "Overwriting file failed"
  kErroLeituraBackup = 3,       // "Cannot read archive"
  kErroGravacaoBackup = 4,      // "Cannot write to archive"
  kErroTipoBackup = 5,          // "Invalid archive type"
  kErroCompressao = 6,          // "Compression error"
  kErroArquivoIdentificacao = 7 // "Cannot create temporary file to save the file IDs"
};
std::string_view TextoErroBackup(int codigo);

// Shown by a front end that asks for the next volume itself; %s is the number.
inline constexpr std::string_view kTextoInsiraDisco = "Please insert disk %s and click OK to continue.";

// Layout constants of the archive.
inline constexpr std::size_t kTamanhoBlocoBackup = 16384;
inline constexpr std::int64_t kFolgaVolume = 16484;  // room kept for one more block
inline constexpr std::string_view kNomeListaArquivos = "FILE:LIST";
inline constexpr std::string_view kNomeProximoDisco = "NEXT:DISK";

// archive.bkp -> archive.002 for volume 2 (the first volume is the archive).
std::filesystem::path NomeVolume(const std::filesystem::path& arquivo, int volume);

// Thrown by GetArchiveInfo when the header cannot be read.
class EBackupFile : public std::runtime_error {
 public:
  explicit EBackupFile(int codigo);
  int codigo() const { return codigo_; }

 private:
  int codigo_;
};

class TBackupFile;

// What the front end implements. Every handler may set `continua` to false to
// stop the operation, or call Stop(). Without a handler object, or when
// OnNeedDisk is not overridden (or the override calls this one), a backup goes
// on to the next volume by itself and a restore opens the next volume when it
// is there and fails with "Cannot read archive" when it is not. An override
// that answers "continue" is asked again for as long as the volume is missing.
class EventosBackup {
 public:
  virtual ~EventosBackup() = default;
  // After every block, and with 0 and 100 at the ends.
  virtual void OnProgress(TBackupFile& /*sender*/, const std::string& /*arquivo*/, int /*percentual*/,
                          bool& /*continua*/) {}
  // Before volume `disco` is created (backup) or opened (restore); a restore
  // asks again while the volume's file does not exist.
  virtual void OnNeedDisk(TBackupFile& /*sender*/, int /*disco*/, bool& /*continua*/) {
    discoPadrao_ = true;
  }
  // Before each archived file is restored: may change the target and the decision.
  virtual void OnRestoreFile(TBackupFile& /*sender*/, std::string& /*arquivo*/,
                             std::uint32_t /*dataDos*/, bool& /*restaura*/) {}
  // Once, at the end of a failed operation.
  virtual void OnError(TBackupFile& /*sender*/, int /*codigo*/, const std::string& /*texto*/) {}

 private:
  friend class TBackupFile;
  bool discoPadrao_ = false;  // the default OnNeedDisk ran: nobody waits for disks
};

// One file to archive: where its bytes come from and the name stored for it.
struct ItemBackup {
  std::filesystem::path origem;
  std::string nome;
};

class TBackupFile {
 public:
  TBackupFile() = default;
  TBackupFile(const TBackupFile&) = delete;
  TBackupFile& operator=(const TBackupFile&) = delete;

  // --- properties --------------------------------------------------------------
  const std::string& BackupTitle() const { return titulo_; }
  void BackupTitle(std::string t) { titulo_ = std::move(t); }
  TBackupMode BackupMode() const { return modo_; }
  void BackupMode(TBackupMode m);  // bmIncremental also sets SetArchiveFlag
  TCompressionLevel CompressionLevel() const { return nivel_; }
  void CompressionLevel(TCompressionLevel n) { nivel_ = n; }
  TRestoreMode RestoreMode() const { return modoRestauracao_; }
  void RestoreMode(TRestoreMode m) { modoRestauracao_ = m; }
  std::int64_t MaxSize() const { return tamanhoMaximo_; }  // 0: unlimited
  void MaxSize(std::int64_t t) { tamanhoMaximo_ = t < 0 ? 0 : t; }
  // The most bytes a restore writes in all; past it the restore fails with
  // kErroTipoBackup. 0: unlimited.
  std::int64_t MaxRestoreSize() const { return tamanhoMaximoRestauracao_; }
  void MaxRestoreSize(std::int64_t t) { tamanhoMaximoRestauracao_ = t < 0 ? 0 : t; }
  bool SetArchiveFlag() const { return limpaAtributo_; }
  void SetArchiveFlag(bool b) { limpaAtributo_ = b; }
  bool RestoreFullPath() const { return caminhoCompleto_; }
  void RestoreFullPath(bool b) { caminhoCompleto_ = b; }
  bool SaveFileID() const { return salvaIdentificacao_; }
  void SaveFileID(bool b) { salvaIdentificacao_ = b; }
  static constexpr std::string_view Version() { return "3.00"; }

  void Eventos(EventosBackup* e) { eventos_ = e; }
  // Which stored names a restore writes; the others are read past without
  // writing anything. Empty: all of them.
  void RestoreFilter(std::function<bool(const std::string& nomeArmazenado)> f) { filtro_ = std::move(f); }

  // From the last header read or written.
  std::int32_t TotalSize() const { return tamanhoTotal_; }
  std::int32_t FileCount() const { return quantidade_; }
  // Files restored by the last Restore.
  int RestoredCount() const { return restaurados_; }
  // The error of the last operation (kErroNenhum when there was none).
  int ErrorCode() const { return codigoErro_; }
  std::string ErrorText() const { return std::string(TextoErroBackup(codigoErro_)); }

  // --- operations --------------------------------------------------------------
  // Archives the files the patterns expand to ("folder/pattern", with a
  // trailing " /s" for subfolders); true when the archive was completed.
  bool Backup(const std::vector<std::string>& especificacoes, const std::filesystem::path& arquivo);
  // Archives the given files under the given stored names.
  bool BackupArquivos(const std::vector<ItemBackup>& itens, const std::filesystem::path& arquivo);
  // Restores below `pasta` (the current folder when empty); true when no error
  // occurred and nothing stopped it. False, without an error, when the
  // archive does not exist.
  bool Restore(const std::filesystem::path& arquivo, const std::filesystem::path& pasta);
  // Reads the header: the title, TotalSize and FileCount; with `lista`, the
  // lines of the file-ID entry when the archive starts with one. Throws
  // EBackupFile when the archive cannot be read.
  std::string GetArchiveInfo(const std::filesystem::path& arquivo,
                             std::vector<std::string>* lista = nullptr);

  bool IsBusy() const { return ocupado_; }
  void Stop() { continua_ = false; }

  // True while the running operation has not been asked to stop.
  bool Continua() const { return continua_; }

 private:
  bool Grava(const std::vector<ItemBackup>& itens, const std::filesystem::path& arquivo);
  bool Restaura(const std::filesystem::path& arquivo, const std::filesystem::path& pasta);
  void Progresso(const std::string& arquivo, std::int64_t feito);
  bool PedeDisco(int disco, bool& semTratador);
  void Inicia();
  void Termina(int codigo);

  std::string titulo_;
  TBackupMode modo_ = bmAll;
  TCompressionLevel nivel_ = clFastest;
  TRestoreMode modoRestauracao_ = rmAll;
  std::int64_t tamanhoMaximo_ = 0;
  std::int64_t tamanhoMaximoRestauracao_ = 0;
  bool limpaAtributo_ = false;
  bool caminhoCompleto_ = false;
  bool salvaIdentificacao_ = false;
  EventosBackup* eventos_ = nullptr;
  std::function<bool(const std::string&)> filtro_;

  std::int32_t tamanhoTotal_ = 0;
  std::int32_t quantidade_ = 0;
  int restaurados_ = 0;
  int codigoErro_ = kErroNenhum;
  bool ocupado_ = false;
  std::atomic<bool> continua_{true};
};

}  // namespace vornex
