#include "Clock.h"
#include "../storage/Book.h"
