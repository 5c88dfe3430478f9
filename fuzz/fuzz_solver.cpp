// libFuzzer target for the root solver: every input is one polynomial of
// degree 1..22 with arbitrary double coefficients (NaN, infinities and
// subnormals included) and a choice of options; see solver_input.h.
#include "solver_input.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const solver_input::Input in = solver_input::decode(data, size);
    const solver_input::Outcome outcome = solver_input::solve(in);
    const std::string fault = solver_input::check(in, outcome);
    if (!fault.empty()) {
        std::fprintf(stderr, "solver check failed: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
