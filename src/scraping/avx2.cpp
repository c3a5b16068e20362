#include "scraping/avx2.h"

namespace okuzuke::scraping {

namespace {
bool ProcessorHasAvx2() {
#if defined(OKUZUKE_HAVE_AVX2_PATH)
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

bool g_allowed = true;
}  // namespace

bool Avx2InUse() { return g_allowed && ProcessorHasAvx2(); }
void SetAvx2InUse(bool use) { g_allowed = use; }

}  // namespace okuzuke::scraping
