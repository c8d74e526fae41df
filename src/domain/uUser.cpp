#include "domain/uUser.h"

#include "domain/uBaseThread.h"

TUser* User = nullptr;

void TUser::WaitForThreads()
{
    ::WaitForThreads(*fThreadList);
}
