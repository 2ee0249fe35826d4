// Makes every GLib and GTK warning or critical end the test process, so that a fault
// the libraries only complain about (a widget left parented, a bad signal handler)
// fails the test instead of scrolling past. The few library warnings no test can
// avoid are named in fatal_log.cpp.
#pragma once

namespace testing_support {

void MakeLogWarningsFatal();

}  // namespace testing_support
