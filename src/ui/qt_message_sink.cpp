#include "ui/qt_message_sink.h"

#include "ui/dialog_services.h"

#include <QApplication>
#include <QString>
#include <QStringDecoder>

TQtMessageSink::TQtMessageSink() : previous_(GetMessageSink()) { SetMessageSink(this); }

TQtMessageSink::~TQtMessageSink() { SetMessageSink(previous_); }

QString MessageText(const std::string& text)
{
    const QByteArray bytes = QByteArray::fromStdString(text);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytes);
    if (!utf8.hasError())
        return decoded;
    return QString::fromLatin1(bytes);
}

void TQtMessageSink::ShowBox(TBoxKind kind, const std::string& caption, const std::string& text)
{
    TBoxIcon icon = TBoxIcon::Information;
    switch (kind) {
    case TBoxKind::Error: icon = TBoxIcon::Error; break;
    case TBoxKind::Warning: icon = TBoxIcon::Warning; break;
    case TBoxKind::Information: icon = TBoxIcon::Information; break;
    }
    DialogServices().ShowMessageBox(boxParent_, icon, MessageText(caption), MessageText(text), TBoxButtons::Ok);
}

void TQtMessageSink::ShowStatus(const std::string& text)
{
    if (status_)
        status_(text);
}

void TQtMessageSink::AddSimulationWarning(const std::string& text)
{
    if (warning_)
        warning_(text);
    else
        ShowBox(TBoxKind::Warning, "Warning", text);
}

void TQtMessageSink::Beep() { QApplication::beep(); }

void TQtMessageSink::Idle() { QCoreApplication::processEvents(); }
