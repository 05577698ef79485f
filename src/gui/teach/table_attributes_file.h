// The table-attributes file: an explicit export and import of the row colours
// and row specifications, beside the copy the panel settings keep.
#pragma once

// Asks for a file and writes the row colours and specifications into it.
void SaveTableAttributes();
// Asks for an existing file and takes the row colours and specifications from
// it; rows without a colour take their default and are listed in a warning.
void LoadTableAttributes();
