#pragma once
// The titles of the shell's own confirmation dialogs, which tests answer the
// way a user would. Wine shows them in English or in the user's language.
inline const wchar_t* const ShellConfirmationTitles[] = {
    L"Confirm file deletion", L"Confirm folder deletion", L"Confirm file overwrite",
    L"Confirm multiple file deletion", L"ファイルの削除の確認", L"フォルダーの削除の確認",
    L"ファイルの上書きの確認", L"複数ファイルの削除の確認", L"フォルダの削除の確認",
};
