// Whether the page scans (line ends, markers) may use the processor's 256-bit
// instructions: built where the compiler can target them, used where the
// processor has them, and turned off by tests to check the portable forms.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#define OKUZUKE_HAVE_AVX2_PATH 1
#endif

namespace okuzuke::scraping {

bool Avx2InUse();
void SetAvx2InUse(bool use);  // for tests; in use by default where the processor has it

}  // namespace okuzuke::scraping
