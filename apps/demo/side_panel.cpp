// The side panel's log and menu commands.
#include "side_panel.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>

namespace orvo::demo {

SidePanel::SidePanel() {
  setWindowTitle(QStringLiteral("Eventos"));
  log_.setReadOnly(true);
  setCentralWidget(&log_);
  resize(420, 480);
}

void SidePanel::Log(const std::string& line) {
  log_.appendPlainText(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
}

void SidePanel::Warn(const QString& what, const Error& e) {
  const std::string& m = e.Message();
  QMessageBox::warning(this, QStringLiteral("Cadastro de clientes"),
                       what + QStringLiteral("\n\n") +
                           QString::fromLatin1(m.data(), static_cast<qsizetype>(m.size())));
}

void SidePanel::Connect(FormSession& session, const std::string& formPath) {
  session_ = &session;
  formPath_ = QString::fromStdString(formPath);
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Arquivo"));
  file->addAction(QString::fromUtf8("&Abrir formulário..."), [this] {
    QString path = QFileDialog::getOpenFileName(this, QString::fromUtf8("Abrir formulário"),
                                                formPath_, QStringLiteral("*.json"));
    if (path.isEmpty()) return;
    try {
      session_->Open(path.toStdString());
      formPath_ = path;
      session_->Host().ShowForm();
    } catch (const Error& e) {
      Warn(QString::fromUtf8("O formulário não foi aberto; o da tela continua."), e);
    }
  });
  file->addAction(QString::fromUtf8("&Salvar formulário como..."), [this] {
    QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8("Salvar formulário"),
                                                formPath_, QStringLiteral("*.json"));
    if (path.isEmpty()) return;
    try {
      session_->Save(path.toStdString());
      formPath_ = path;
    } catch (const Error& e) {
      Warn(QString::fromUtf8("O formulário não foi salvo."), e);
    }
  });
  file->addSeparator();
  QAction* save = file->addAction(QString::fromUtf8("&Gravar cliente"), [this] {
    try {
      session_->SaveRecord();
    } catch (const Error& e) {
      Warn(QString::fromUtf8("O cliente não foi gravado; os valores digitados continuam no "
                             "formulário."),
           e);
    }
  });
  save->setShortcut(QKeySequence::Save);
  file->addSeparator();
  file->addAction(QString::fromUtf8("Sai&r"), [] { QApplication::quit(); });
}

}  // namespace orvo::demo
