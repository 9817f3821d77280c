// What the supervision does through the monitor window: its timer, the release, the alarm, the
// log line, the memory report and the placement it keeps current.
#include "memory/MemoryFigures.h"
#include "monitor/Frmload.h"
#include "settings/Texts.h"

namespace tarvik {

void Frmload::Timer2_Timer() {
    m_supervisor.tick(m_ctx.state.Settings, *this);
}

void Frmload::ZLMem() {
    const AppState& st = m_ctx.state;
    if (!m_ctx.release.release(st.Memory.dwTotalPhys, st.Settings.ReleaseLevel, st.Settings.ClearClipboardOnRelease)) {
        appendLog(Texts::kLogReleaseFailed);
    }
}

void Frmload::soundAlarm() {
    SoundPlayer& player = m_ctx.platform.sound;
    player.setFileName(m_ctx.state.Settings.AlarmSoundFile);
    player.command("Open");
    player.command("Play");
    player.command("Prev");
}

void Frmload::appendLog(const std::string& message) {
    m_ctx.log.AppendLogLine(message);
}

std::string Frmload::memoryReport() {
    if (const auto captions = m_mainWindow.memoryCaptions()) {
        return MemoryReport((*captions)[0], (*captions)[1], (*captions)[2], (*captions)[3]);
    }
    const MemoryStatus& s = m_ctx.state.Memory;
    return MemoryReport(MemoryFigures::totalPhysCaption(s), MemoryFigures::availPhysCaption(s),
                        MemoryFigures::pageFileCaption(s), MemoryFigures::virtualCaption(s));
}

void Frmload::writePlacement() {
    m_ctx.files.refreshPlacement(currentPlacement(), ",");
}

} // namespace tarvik
