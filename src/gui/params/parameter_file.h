// The FILE target of SEND and GET: the seventeen parameters and the teach
// table with groups and holds, saved to and loaded from a parameter file.
#pragma once

// Asks for a file and writes the parameters shown on the panels into it.
void SaveParameterFile();
// Asks for an existing file and shows the parameters it holds; missing or
// unreadable items take their defaults and are listed in a warning.
void LoadParameterFile();
