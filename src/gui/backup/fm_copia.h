#pragma once
// "Cópia de Segurança": the windows that save the declaration tables into a
// backup archive (possibly over several volumes) and restore them from one.
#include <QDialog>
#include <filesystem>
#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TfmBackup00;
class TfmRestore00;
}  // namespace Ui

class QProgressBar;
class QPushButton;
class QWidget;

namespace vornex::gui {

class PassagemNoPasso;
class TdmVornex;

class TfmBackup00 : public QDialog {
 public:
  explicit TfmBackup00(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmBackup00() override;

  QPushButton* bbAction() const;
  QPushButton* bbCancel() const;
  QWidget* paProgresso() const;
  QProgressBar* prBackup() const;
  const std::filesystem::path& arquivo() const { return arquivo_; }

 private:
  void bbActionClick();
  // The free-space check before a volume: the volume size, or nothing when
  // the user gave up.
  std::optional<std::int64_t> tamanhoVolume();

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmBackup00> ui_;
  PassagemNoPasso* passagem_;
  std::filesystem::path arquivo_;
};

class TfmRestore00 : public QDialog {
 public:
  explicit TfmRestore00(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmRestore00() override;

  QPushButton* bbAction() const;
  QPushButton* bbCancel() const;
  QWidget* paProgresso() const;
  QProgressBar* prRestore() const;

 private:
  void bbActionClick();

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmRestore00> ui_;
  PassagemNoPasso* passagem_;
  std::filesystem::path arquivo_;
};

}  // namespace vornex::gui
