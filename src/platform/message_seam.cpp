#include "platform/message_seam.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace vesk {

namespace {

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Error:
            return QMessageBox::Critical;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

namespace message_seam {
std::vector<MessageRecord>& Log() {
    static std::vector<MessageRecord> log;
    return log;
}
}  // namespace message_seam

MsgAnswer ShowMessage(const QString& text, const QString& caption, MsgIcon icon, MsgButtons buttons,
                      QWidget* parent) {
    MessageRecord record{text, caption, icon, buttons};
    if (message_seam::Seam::Get()) {
        message_seam::Log().push_back(record);
        return message_seam::Seam::Get()(record);
    }
    QMessageBox box(ToQtIcon(icon), caption, QString(text).replace("\r\n", "\n"),
                    QMessageBox::NoButton, parent ? parent : QApplication::activeWindow());
    switch (buttons) {
        case MsgButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    // The buttons carry the system's Japanese labels.
    if (auto* b = box.button(QMessageBox::Ok))
        b->setText("OK");
    if (auto* b = box.button(QMessageBox::Cancel))
        b->setText("ｷｬﾝｾﾙ");
    if (auto* b = box.button(QMessageBox::Yes))
        b->setText("はい(&Y)");
    if (auto* b = box.button(QMessageBox::No))
        b->setText("いいえ(&N)");
    switch (box.exec()) {
        case QMessageBox::Yes:
            return MsgAnswer::Yes;
        case QMessageBox::No:
            return MsgAnswer::No;
        case QMessageBox::Ok:
            return MsgAnswer::Ok;
        default:
            return MsgAnswer::Cancel;
    }
}

}  // namespace vesk
