// The platform's and COM's headers, read by nearly every file of the Windows
// trees, in the order the Windows layer reads them (src/win32/WinApi.h).
#pragma once

#include "win32/WinApi.h"

#include <ole2.h>
#include <oleacc.h>
#include <olectl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
