#pragma once
// Exit statuses of quillora-cli: one per kind of failure, so that scripts can tell them apart.
namespace quillora::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitUnexpected = 1,          // an error no other status covers
    kExitUsage = 2,               // bad command line
    kExitPatientNumber = 3,       // 患者番号エラー
    kExitSerialNumber = 4,        // 連番エラー
    kExitFirstPage = 5,           // first page excluded and fewer than two pages
    kExitInstitutionCode = 6,     // unsafe institution code
    kExitNotOverwritten = 7,      // the chart exists and overwriting is inhibited
    kExitFolderNotMade = 8,       // the patient folder cannot be created
    kExitNotReplaceable = 9,      // an existing chart cannot be replaced
    kExitPageUnreadable = 10,     // a page image cannot be decoded
    kExitNoPages = 11,            // no page reached the composer
    kExitWriteFailed = 12,        // the chart could not be written or verified
    kExitComposeFailed = 13,      // another error while composing
    kExitIntake = 14,             // the scanner folder cannot be taken in
    kExitLookup = 15,             // the patient folder does not exist (接続エラー)
    kExitSettingRefused = 16,     // a setting value failed its check
    kExitSettingsNotSaved = 17,   // the settings could not be written
    kExitPageMissing = 20,        // a page named by --files is missing or no regular file
    kExitClearingIncomplete = 21, // chart saved, but the scanner folder was not fully cleared
    kExitOutputFailed = 22,       // chart saved, but the save-log line could not be written out
    kExitPageSize = 23,           // PDF page width or height 0 in the settings
    kExitChartNameTooLong = 24,   // the chart's name is too long for the file system
};

} // namespace quillora::cli
