// The rules that tie the parameter controls together: forced values, dimmed
// and hidden controls, limits, captions and labels that follow the modes.
#pragma once

// R4: the TRIGGER ring offers EXT1..PARA only while EXTERN TEACH is OFF.
void RebuildTriggerItems();
