#include "ScreenTexts.h"

#include "NumberText.h"

std::string fillPlaceholder(std::string text, std::string_view placeholder, std::string_view value)
{
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos)
        text.replace(at, placeholder.size(), value);
    return text;
}

std::string welcomeText(const ZOTConfig& config, int currentBlockIndex)
{
    if (config.practiceBlock)
        return fillPlaceholder(config.textWelcome, "%%NUMBER%%", std::to_string(config.trialsPerBlock));
    return beforeBlockText(config, currentBlockIndex);
}

std::string beforeBlockText(const ZOTConfig& config, int currentBlockIndex)
{
    const std::string text =
        fillPlaceholder(config.textBeforeBlock, "%%NUMBER1%%", std::to_string(currentBlockIndex + 1));
    return fillPlaceholder(text, "%%NUMBER2%%", std::to_string(config.blocksPerRun));
}

std::string correctRateText(float rate, Display display)
{
    if (display == VIVE)
        return std::to_string(static_cast<int>(rate * 100.0f) / 100);
    return floatText(rate);
}

std::string afterBlockText(const ZOTConfig& config, float rate, std::uint32_t mistakes)
{
    const std::string text = fillPlaceholder(config.textAfterBlock, "%%NUMBER1%%", correctRateText(rate, config.display));
    return fillPlaceholder(text, "%%NUMBER2%%", std::to_string(mistakes));
}
