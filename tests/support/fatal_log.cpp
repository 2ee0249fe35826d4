#include "support/fatal_log.h"

#include <glib.h>

#include <cstdlib>
#include <cstring>

namespace testing_support {

namespace {

struct Tolerated {
  const char* domain;
  const char* message_start;
};

// Warnings of the libraries themselves, each with why it cannot be avoided here.
constexpr Tolerated kTolerated[] = {
    // The tests run without a GPU, where GTK is kept from loading OpenGL; WebKit notes
    // once per process that it draws without acceleration then.
    {"", "Disabled hardware acceleration because GTK failed to initialize GL"},
};

const char* Field(const GLogField* fields, gsize count, const char* key) {
  for (gsize i = 0; i < count; ++i)
    if (std::strcmp(fields[i].key, key) == 0 && fields[i].length == -1)
      return static_cast<const char*>(fields[i].value);
  return "";
}

bool IsTolerated(const GLogField* fields, gsize count) {
  const char* domain = Field(fields, count, "GLIB_DOMAIN");
  const char* message = Field(fields, count, "MESSAGE");
  for (const Tolerated& tolerated : kTolerated)
    if (std::strcmp(domain, tolerated.domain) == 0 &&
        std::strncmp(message, tolerated.message_start, std::strlen(tolerated.message_start)) == 0)
      return true;
  return false;
}

GLogWriterOutput Write(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
  const GLogWriterOutput output = g_log_writer_default(level, fields, count, data);
  if ((level & (G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) && !IsTolerated(fields, count))
    std::abort();
  return output;
}

}  // namespace

void MakeLogWarningsFatal() { g_log_set_writer_func(Write, nullptr, nullptr); }

}  // namespace testing_support
