#pragma once
// The texts and titles of the window's message boxes.

#include <QString>

namespace zovek::messages {

inline QString ErrorTitle() { return QStringLiteral("Error"); }
inline QString Unsupported() { return QStringLiteral("このファイルは対応していません。"); }
inline QString NoGameSave() { return QStringLiteral("Zovekのセーブデータがありません。"); }
inline QString ReadError(int number) { return QStringLiteral("ファイル読み込みエラー (%1)").arg(number); }
inline QString WriteError(int number) { return QStringLiteral("ファイル書き込みエラー (%1)").arg(number); }
// The write failed part way with `number` and could not be undone; `backup`
// is the native path of the backup made before it, empty when none was.
inline QString WriteDamaged(int number, const QString& backup) {
  return WriteError(number) + QStringLiteral("\r\nセーブデータが壊れている可能性があります。\r\n") +
         (backup.isEmpty() ? QStringLiteral("バックアップなし") : QStringLiteral("バックアップ: ") + backup);
}

// A file of a signed form opens for reading only.
inline QString NoticeTitle() { return QStringLiteral("確認"); }
inline QString SignedForm() {
  return QStringLiteral("このファイルは署名付きの形式のため、表示はできますが保存はできません。");
}

inline QString SaveConfirmTitle() { return QStringLiteral("保存確認"); }
inline QString SaveConfirm(int saveNumber) {
  return QStringLiteral("セーブデータ No. %1 を更新します。\r\nよろしいですか？").arg(saveNumber);
}

// The backup before a save failed with `number`; `folder` is where it was to go.
inline QString BackupConfirmTitle() { return QStringLiteral("バックアップ確認"); }
inline QString BackupConfirm(int number, const QString& folder) {
  return QStringLiteral("バックアップを作成できませんでした (%1)\r\n").arg(number) + folder +
         QStringLiteral("\r\nバックアップなしで保存しますか？");
}

// Another program changed save `saveNumber` in the file at `path` since it was read.
inline QString OverwriteConfirmTitle() { return QStringLiteral("上書き確認"); }
inline QString OverwriteConfirm(int saveNumber, const QString& path) {
  return QStringLiteral("No. %1 のセーブデータは開いた後に他のプログラムで変更されています。\r\n").arg(saveNumber) + path +
         QStringLiteral("\r\n上書きしますか？");
}

// A later start could not give its file to the running editor; `file` is
// the file's native path.
inline QString HandOverFailed(const QString& file) {
  return QStringLiteral("起動中のエディタにファイルを渡せませんでした。\r\n") + file;
}

}  // namespace zovek::messages
