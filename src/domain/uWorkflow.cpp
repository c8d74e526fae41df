#include "domain/uWorkflow.h"

TWorkflow* Workflow = nullptr;
