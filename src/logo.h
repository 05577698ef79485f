// The title on the main panel.
#pragma once

#include <string>

void ShowTitleLabel();
int AddTextLabel(const std::string& text, int left, int top, int pointSize, int backgroundColor,
                 int textColor);
