#pragma once

namespace vexa {

class Session;
class SettingsWindow;

// Makes the "Setup" window (once, hidden) and connects "Program Setup" to it. Returns the window,
// which the main window owns.
SettingsWindow& wireSettingsCommands(Session& session);

} // namespace vexa
