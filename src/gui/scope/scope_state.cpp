#include "gui/scope/scope_state.h"

ScopeState gScope;
