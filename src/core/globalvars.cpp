#include "globalvars.h"

namespace tessaran {

Globalvars& gv()
{
    static Globalvars instance;
    return instance;
}

}  // namespace tessaran
