#include "domain/uUser.h"

TUser* User = nullptr;
