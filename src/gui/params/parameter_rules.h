// The rules that tie the parameter controls together: forced values, dimmed
// and hidden controls, limits, captions and labels that follow the modes.
// They read and change the controls; the parameter block is filled from the
// controls only when it is sent or saved.
#pragma once

// Runs R1 to R8 in order, so that the interface is consistent with the
// values now in the controls, whatever their source.
void ApplyParameterRules();
// R4: the TRIGGER ring offers EXT1..PARA only while EXTERN TEACH is OFF.
void RebuildTriggerItems();
// R7: the limits of MAX VEC NO and of the group numbers, and the row labels.
void ApplyRowLimits();
// R8: the teach panels' captions, labels and items for the modes.
void ApplyTeachPanelCaptions();
// Moves the teach-table cells between the 2D and the 3D column layout when
// CALCULATION MODE changes between them.
void ConvertTeachTableForCalcMode();
