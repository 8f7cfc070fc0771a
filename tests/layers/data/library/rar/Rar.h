#pragma once
#include "library/Dispatch.h"
