#include "app/program_state.h"

ProgramStateRecord ProgramState;
