// The panel's text form of numbers: any text parses without reading past its end, and
// any float formats into the field's buffer and reads back as the number shown.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/station_harness.h"
#include "panel/value_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Any text, at most what a field gives back (255 characters), NUL-terminated.
  const std::string text(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
  const float parsed = ParseFieldValue(text.c_str());

  // The float formed by the first four bytes (any bits: NaN, infinities, subnormals).
  float value = parsed;
  if (size >= 4) std::memcpy(&value, data, sizeof value);

  for (float v : {parsed, value}) {
    char shown[kFieldTextSize];
    std::memset(shown, 'x', sizeof shown);
    FormatFieldValue(v, shown);
    fuzzing::Check(std::memchr(shown, '\0', sizeof shown) != nullptr, "formatted text not ended");
    const float back = ParseFieldValue(shown);
    if (std::isnan(v)) {
      fuzzing::Check(std::strcmp(shown, "nan") == 0 && std::isnan(back), "NaN not shown as nan");
    } else if (std::isinf(v)) {
      fuzzing::Check(std::strcmp(shown, v > 0 ? "inf" : "-inf") == 0 && back == v,
                     "infinity not shown as inf");
    } else {
      // Three decimals: what is read back is the value to within half a thousandth,
      // plus the rounding of the decimal back to float.
      const double error = std::fabs(static_cast<double>(back) - v);
      const double allowed = 0.0005 + std::fabs(static_cast<double>(v)) * 1.2e-7;
      fuzzing::Check(std::isfinite(back) && error <= allowed, "formatted value reads back wrong");
      // Below 8192 floats are closer together than a thousandth, so what is shown is a
      // fixed point: formatting what was read shows the same text.
      if (std::fabs(v) < 8192) {
        char again[kFieldTextSize];
        FormatFieldValue(back, again);
        fuzzing::Check(std::strcmp(shown, again) == 0, "formatting is not a fixed point");
      }
    }
  }
  return 0;
}
