#include "InstructionPages.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

constexpr int MARGIN = 36;
constexpr int TITLE_SIZE = 36;
constexpr int BODY_SIZE = 23;
constexpr int FOOTER_SIZE = 24;
constexpr double LINE_SPACING = 1.35;
constexpr double PARAGRAPH_GAP = 0.5;

double textWidth(FontFace& font, const std::string& text) {
    double width = 0;
    for (unsigned char c : text) {
        font.load(c, true);
        width += std::round(font.advance());
    }
    return width;
}

// Draws text with its baseline baselineY pixels below the picture's top. The
// pen stays on whole pixels so the hinted glyphs stay sharp.
void drawLine(FontFace& font, const std::string& text, double x, double baselineY, Coverage& picture) {
    double pen = std::round(x);
    for (unsigned char c : text) {
        font.load(c, true);
        font.translate(pen, picture.height - std::round(baselineY));
        font.fill(picture);
        pen += std::round(font.advance());
    }
}

void drawCentred(FontFace& font, const std::string& text, double baselineY, Coverage& picture) {
    drawLine(font, text, (picture.width - textWidth(font, text)) / 2, baselineY, picture);
}

std::vector<std::string> wrap(FontFace& font, const std::string& paragraph, double width) {
    std::vector<std::string> lines;
    std::istringstream words(paragraph);
    std::string word;
    std::string line;
    while (words >> word) {
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && textWidth(font, longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

}

InstructionPage taskPage() {
    return {"Instructions",
            {"Each trial begins with a small cross in the middle of the screen. Keep your eyes on the cross.",
             "Then letters flash up very briefly on a circle around the cross, and a pattern covers them.",
             "RED letters are the ones to report. Ignore the BLUE letters.",
             "When the letters are gone, type every red letter you saw, in any order. If you are not sure, guess."},
            "Press space to continue"};
}

InstructionPage keysPage() {
    return {"Keys",
            {"Letter keys: type the letters you saw, in any order.",
             "Backspace: delete the last letter you typed.",
             "Space: confirm your answer and go on to the next trial."},
            "Press space to continue"};
}

Coverage drawInstructionPage(const InstructionPage& page, int width, int height, FontFace& headingFont,
                             FontFace& bodyFont) {
    Coverage picture(width, height);
    headingFont.setPixelSize(TITLE_SIZE);
    const double titleBaseline = MARGIN + TITLE_SIZE;
    drawCentred(headingFont, page.title, titleBaseline, picture);

    bodyFont.setPixelSize(BODY_SIZE);
    const double lineHeight = LINE_SPACING * BODY_SIZE;
    // Paragraphs are set apart by a gap; the title by two.
    double lastBaseline = titleBaseline + PARAGRAPH_GAP * lineHeight;
    for (const std::string& paragraph : page.paragraphs) {
        lastBaseline += PARAGRAPH_GAP * lineHeight;
        for (const std::string& line : wrap(bodyFont, paragraph, width - 2 * MARGIN)) {
            lastBaseline += lineHeight;
            drawLine(bodyFont, line, MARGIN, lastBaseline, picture);
        }
    }

    // Half a line of space between the last line's descenders and the footer.
    const double footerBaseline = height - MARGIN;
    if (lastBaseline + (0.25 + PARAGRAPH_GAP) * lineHeight > footerBaseline - FOOTER_SIZE)
        throw std::runtime_error("the instruction page \"" + page.title + "\" does not fit " +
                                 std::to_string(width) + " x " + std::to_string(height) + " pixels");
    headingFont.setPixelSize(FOOTER_SIZE);
    drawCentred(headingFont, page.footer, footerBaseline, picture);
    return picture;
}
