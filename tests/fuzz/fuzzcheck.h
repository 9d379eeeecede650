#ifndef LINTRA_FUZZCHECK_H
#define LINTRA_FUZZCHECK_H

#include <cstdlib>

// An invariant of a fuzz target: aborting hands the input to libFuzzer as a
// crash, with the sanitizers' stack trace.
inline void Check(bool condition)
{
    if (!condition)
        abort();
}

#endif
