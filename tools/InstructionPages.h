#pragma once

#include "Coverage.h"
#include "FontFace.h"

#include <string>
#include <vector>

/// The words of one instruction page shown to the subject before the task.
struct InstructionPage {
    std::string title;
    std::vector<std::string> paragraphs;
    std::string footer;
};

/// First page: what happens in a trial and which letters to report.
InstructionPage taskPage();
/// Second page: the keys.
InstructionPage keysPage();

/// Draws page on a width x height picture: the title and footer centred in
/// headingFont, the paragraphs wrapped at word boundaries in bodyFont.
/// Throws when the words do not fit the picture.
Coverage drawInstructionPage(const InstructionPage& page, int width, int height, FontFace& headingFont,
                             FontFace& bodyFont);
