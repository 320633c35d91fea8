#include "app/list_files.h"

#include <QDir>

#include "platform/message_seam.h"
#include "platform/program_folders.h"

CFileGroup::LoadStatus LoadListFile(CFileGroup& list, const QString& fileName) {
    CFileGroup::LoadStatus status = list.Load(fileName);
    if (status == CFileGroup::LoadStatus::Damaged) {
        vesk::ShowMessage("リストファイル [ " +
                              QDir::toNativeSeparators(vesk::UsersDataFile(fileName)) +
                              " ] が壊れているため、読み込めませんでした。",
                          "VeskHtml", vesk::MsgIcon::Exclamation);
    }
    return status;
}
