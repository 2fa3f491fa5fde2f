#pragma once

class QWidget;

namespace kelvara {

/// Name of the environment variable that asks a program to report its first paint.
inline constexpr char kReportFirstPaintVariable[] = "KELVARA_REPORT_FIRST_PAINT";
/// The line a program writes to its standard output once its window is first painted.
inline constexpr char kFirstPaintLine[] = "first-paint";

/// When KELVARA_REPORT_FIRST_PAINT is 1: once window has been painted for the first time,
/// writes the first-paint line to standard output and ends the event loop (exit code 0).
/// Start-up benchmarks time a program from its start to that line. Otherwise does nothing.
void ReportFirstPaintIfAsked(QWidget* window);

} // namespace kelvara
