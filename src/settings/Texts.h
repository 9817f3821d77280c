#pragma once

#include <string>

// Messages the program shows or writes to its log, in one place so that every caller uses
// exactly the same words.
namespace tarvik::Texts {

inline constexpr const char* kProgramTitle = "塔维内存整理";

// Start-up and exit
inline constexpr const char* kAlreadyRunning = "该程序已运行。";
inline constexpr const char* kAlreadyRunningTitle = "运行";
inline constexpr const char* kConfigOpenFailed = "无法打开配置文件，请重新安装本软件。";
inline constexpr const char* kLogMasterConfigFailed = "打开配置文件失败！";
inline constexpr const char* kLogConfigFailed = "打开配置文件失败。";
inline constexpr const char* kLogOpenFailed = "无法打开日志文件，请重新安装本软件。";
inline constexpr const char* kLogLogOpenFailed = "打开日志文件失败。";
inline constexpr const char* kLogExitStepFailed = "配置失败。";
// An installed program keeps its files in the user's own folder; without it nothing can be kept.
inline std::string programFolderFailed(const std::string& folder, const std::string& reason) {
    return "无法创建程序文件夹：\n" + folder + "\n" + reason + "\n请检查该文件夹的位置和权限。";
}

// Monitor and supervision
inline constexpr const char* kLogRuntimeError = "运行时出现错误。";
inline constexpr const char* kLogReleaseFailed = "整理释放内存。";
inline constexpr const char* kLogManualRelease = "整理内存。";
inline constexpr const char* kLogChartStyleWriteFailed = "配置失败。";
inline std::string lowMemoryRelease(int minFreePercent) {
    return "系统可用内存低于最低限度" + std::to_string(minFreePercent) + "%" + "，自动整理内存。";
}
inline constexpr const char* kMemoryReportHeader = "内存信息:";

// Permissions
inline constexpr const char* kNoticeTitle = "提示";
inline constexpr const char* kAdvancedOnly = "只有高级用户可以使用此功能，若要使用此功能，请将用户级别设置为高级用户。";
inline constexpr const char* kBeginnerRefused =
    "初级用户不允许使用此功能，若要使用此功能，请将用户级别设置为普通用户或高级用户。";

// Main window
inline constexpr const char* kWelcome = "欢迎使用塔维内存整理！";
inline constexpr const char* kReportWritten = "内存资料已写入日志。";
inline constexpr const char* kReportNotWritten = "写入日志失败。";
inline constexpr const char* kLogMemoryInfoFailed = "打开“内存资料”时出现错误。";
inline constexpr const char* kUserSettingsSaved = "用户设置保存完毕。";
inline constexpr const char* kSoftwareSettingsSaved = "软件设置保存完毕。";
inline constexpr const char* kSoftwareSettingsSavedAutostartFailed = "软件设置已保存，但无法设置开机自动运行。";
inline constexpr const char* kLogAutostartFailed = "设置开机自动运行失败。";
inline constexpr const char* kUserLevelSaved = "用户级别设置保存完毕。";
inline constexpr const char* kLogUserSettingsSaved = "保存用户设置。";
inline constexpr const char* kLogSoftwareSettingsSaved = "保存软件设置。";
inline constexpr const char* kLogUserLevelSaved = "保存用户级别设置。";
inline constexpr const char* kSaveFailed = "设置失败！请重新安装本软件。";
inline constexpr const char* kLogUserSettingsFailed = "用户设置失败。";
inline constexpr const char* kLogSoftwareSettingsFailed = "软件设置失败。";
inline constexpr const char* kLogUserLevelFailed = "用户级别设置失败。";
inline constexpr const char* kIntervalInvalid = "请在自动记录内存信息的时间中输入10至60之间的数字！";
inline constexpr const char* kSoundPathHasComma =
    "报警声音文件的路径中含有逗号“,"
    "”，设置文件无法保存这样的路径，设置没有保存。请把声音文件放到路径中没有逗号的文件夹里，再重新选择。";
inline constexpr const char* kSoundPathNotStorable =
    "报警声音文件的路径中含有无法保存的字符，设置没有保存。请把声音文件放到其他文件夹里，再重新选择。";
inline constexpr const char* kLogBatchViewFailed = "打开配置文件时出错。";
inline constexpr const char* kLogViewFailed = "打开日志文件时出错。";
// The log page's first line for a log over the read bound, of which it shows the newest lines.
inline constexpr const char* kLogOlderEntriesInFile = "（日志较早的记录未显示，请在日志文件 Tarvik.log 中查看。）";
inline constexpr const char* kClearLogQuestion = "日志清空后将无法恢复，您确定要清空日志么？";
inline constexpr const char* kClearLogTitle = "清空日志";
inline constexpr const char* kLogCleared = "日志已清空。";
inline constexpr const char* kClearLogFailed =
    "无法清空日志：日志文件无法写入，可能正被其他程序使用。日志保持原样，未作任何改动。";

// About box
inline constexpr const char* kAboutAuthor = "作者: 塔维软件工作室";
inline constexpr const char* kAboutContact = "dev@example.com";

} // namespace tarvik::Texts
