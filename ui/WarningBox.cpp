#include "ui/WarningBox.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lapidor {

void showWarning(QWidget* window, const QString& message)
{
    auto* warning = new QMessageBox(QMessageBox::Warning, QCoreApplication::translate("lapidor::WarningBox", "Lapidor"),
                                    message, QMessageBox::Ok, window);
    warning->setTextFormat(Qt::PlainText); // warnings quote the levels file, fields and paths
    warning->setAttribute(Qt::WA_DeleteOnClose);
    warning->open();
}

} // namespace lapidor
