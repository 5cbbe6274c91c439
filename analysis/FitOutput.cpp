#include "FitOutput.h"

#include <cmath>
#include <cstdio>

namespace {

std::string jsonString(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string jsonNumber(double value, bool known = true)
{
    if (!known || !std::isfinite(value))
        return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string fixed(double value, int decimals, bool known = true)
{
    if (!known || !std::isfinite(value))
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

std::string fitJsonLine(const DatSession& session, const TvaFitResult& fit)
{
    const TvaParameters& p = fit.params;
    std::string pK = "[";
    for (int k = 0; k < 7; ++k)
        pK += (k ? "," : "") + jsonNumber(p.pK[k]);
    pK += "]";
    return "{\"file\":" + jsonString(session.fileName) + ",\"session\":" + std::to_string(session.number) +
           ",\"trials\":" + std::to_string(fit.trials) + ",\"C\":" + jsonNumber(p.C) +
           ",\"K\":" + jsonNumber(p.meanK()) + ",\"pK\":" + pK + ",\"t0\":" + jsonNumber(p.t0Ms) +
           ",\"alpha\":" + jsonNumber(p.alpha, fit.alphaFitted) + ",\"wLeft\":" + jsonNumber(p.wLeft, fit.wLeftFitted) +
           ",\"logLik\":" + jsonNumber(fit.logLik) + ",\"errors\":" + std::to_string(fit.errors) + "}";
}

std::string fitTableHeader()
{
    return "session  trials       C      K     t0  alpha  wLeft      logLik  errors  file";
}

std::string fitTableRow(const DatSession& session, const TvaFitResult& fit)
{
    const TvaParameters& p = fit.params;
    return padLeft(std::to_string(session.number), 7) + padLeft(std::to_string(fit.trials), 8) +
           padLeft(fixed(p.C, 1), 8) + padLeft(fixed(p.meanK(), 2), 7) + padLeft(fixed(p.t0Ms, 1), 7) +
           padLeft(fixed(p.alpha, 2, fit.alphaFitted), 7) + padLeft(fixed(p.wLeft, 3, fit.wLeftFitted), 7) +
           padLeft(fixed(fit.logLik, 2), 12) + padLeft(std::to_string(fit.errors), 8) + "  " + session.fileName;
}
