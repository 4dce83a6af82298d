#include "platform/ui/QtPrompt.h"

#include "app/ProductIdentity.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace cf {

namespace {

QWidget *owner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void show(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtPrompt::error(const QString &text)
{
    show(QMessageBox::Critical, ProductIdentity::productCode(), text);
}

void QtPrompt::warning(const QString &text)
{
    show(QMessageBox::Warning, ProductIdentity::productCode(), text);
}

bool QtPrompt::confirm(const QString &text)
{
    QMessageBox box(QMessageBox::Question, ProductIdentity::productCode(), text,
                    QMessageBox::Yes | QMessageBox::No, owner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompt::generalError(const QString &text)
{
    show(QMessageBox::Critical, QStringLiteral("Error"), text);
}

QString QtPrompt::saveFileName(const SaveFileRequest &request)
{
    QFileDialog dialog(owner(), request.caption, request.directory, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Overwrite questions are the callers' own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace cf
