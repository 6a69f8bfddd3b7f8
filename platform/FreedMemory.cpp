#include "platform/FreedMemory.h"

#include <cstdlib> // says whether this is the GNU C library

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace platform
