#include "fatal_message.h"

#include "exit_routine.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace {
bool begun = false;
}

bool fatalErrorBegun()
{
    return begun;
}

void showFatalMessage(const std::string& description)
{
    begun = true;
    const QString text = QString::fromUtf8(description.data(), qsizetype(description.size()));
    if (qApp) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Tervalo"),
                        QStringLiteral("程序遇到严重错误，即将退出。\n\n") + text, QMessageBox::Ok);
        box.setObjectName(QStringLiteral("严重错误"));
        box.exec();
    } else {
        std::fprintf(stderr, "Tervalo: %s\n", description.c_str());
    }
    discardExitRoutine();
}
