// Both, for the test programs of the Windows trees.
#pragma once

#include "Windows.h"

#include "Tests.h"
