#include "common/dispatch.h"

#include <glibmm/exceptionhandler.h>
#include <glibmm/miscutils.h>

#include <exception>
#include <iostream>

namespace common {

namespace {

void ReportCurrentException() {
  try {
    throw;
  } catch (const std::exception& error) {
    std::cerr << Glib::get_prgname() << ": untrapped error: " << error.what() << std::endl;
  } catch (...) {
    std::cerr << Glib::get_prgname() << ": untrapped error of unknown type" << std::endl;
  }
}

}  // namespace

void InstallDispatchErrorHandler() {
  static bool installed = false;
  if (!installed) {
    Glib::add_exception_handler(sigc::ptr_fun(&ReportCurrentException));
    installed = true;
  }
}

void ReportUntrappedError() noexcept { Glib::exception_handlers_invoke(); }

}  // namespace common
