#pragma once
// The texts and titles of the window's message boxes. The line breaks stay
// outside the translated texts.

#include <QCoreApplication>
#include <QString>

namespace zovek::messages {

inline const QString kBreak = QStringLiteral("\r\n");

inline QString ErrorTitle() { return QCoreApplication::translate("Messages", "Error"); }
inline QString Unsupported() { return QCoreApplication::translate("Messages", "このファイルは対応していません。"); }
inline QString NoGameSave() { return QCoreApplication::translate("Messages", "Zovekのセーブデータがありません。"); }
inline QString ReadError(int number) {
  return QCoreApplication::translate("Messages", "ファイル読み込みエラー (%1)").arg(number);
}
inline QString WriteError(int number) {
  return QCoreApplication::translate("Messages", "ファイル書き込みエラー (%1)").arg(number);
}
// The write failed part way with `number` and could not be undone; `backup`
// is the native path of the backup made before it, empty when none was.
inline QString WriteDamaged(int number, const QString& backup) {
  return WriteError(number) + kBreak +
         QCoreApplication::translate("Messages", "セーブデータが壊れている可能性があります。") + kBreak +
         (backup.isEmpty() ? QCoreApplication::translate("Messages", "バックアップなし")
                           : QCoreApplication::translate("Messages", "バックアップ: %1").arg(backup));
}

// A file of a signed form opens for reading only.
inline QString NoticeTitle() { return QCoreApplication::translate("Messages", "確認"); }
inline QString SignedForm() {
  return QCoreApplication::translate("Messages",
                                     "このファイルは署名付きの形式のため、表示はできますが保存はできません。");
}

inline QString SaveConfirmTitle() { return QCoreApplication::translate("Messages", "保存確認"); }
inline QString SaveConfirm(int saveNumber) {
  return QCoreApplication::translate("Messages", "セーブデータ No. %1 を更新します。").arg(saveNumber) + kBreak +
         QCoreApplication::translate("Messages", "よろしいですか？");
}

// The backup before a save failed with `number`; `folder` is where it was to go.
inline QString BackupConfirmTitle() { return QCoreApplication::translate("Messages", "バックアップ確認"); }
inline QString BackupConfirm(int number, const QString& folder) {
  return QCoreApplication::translate("Messages", "バックアップを作成できませんでした (%1)").arg(number) + kBreak +
         folder + kBreak + QCoreApplication::translate("Messages", "バックアップなしで保存しますか？");
}

// Another program changed save `saveNumber` in the file at `path` since it was read.
inline QString OverwriteConfirmTitle() { return QCoreApplication::translate("Messages", "上書き確認"); }
inline QString OverwriteConfirm(int saveNumber, const QString& path) {
  return QCoreApplication::translate("Messages", "No. %1 のセーブデータは開いた後に他のプログラムで変更されています。")
             .arg(saveNumber) +
         kBreak + path + kBreak + QCoreApplication::translate("Messages", "上書きしますか？");
}

// A later start could not give its file to the running editor; `file` is
// the file's native path.
inline QString HandOverFailed(const QString& file) {
  return QCoreApplication::translate("Messages", "起動中のエディタにファイルを渡せませんでした。") + kBreak + file;
}

}  // namespace zovek::messages
