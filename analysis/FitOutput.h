#pragma once

#include "DatFile.h"
#include "TvaFit.h"

#include <string>

/// One session's fit as one line of JSON (without the line end), with exactly
/// the keys file, session, trials, C, K, pK, t0, alpha, wLeft, logLik and errors;
/// a parameter the data could not tell is null.
std::string fitJsonLine(const DatSession& session, const TvaFitResult& fit);

/// The column names of the plain table, and one session's row under them.
std::string fitTableHeader();
std::string fitTableRow(const DatSession& session, const TvaFitResult& fit);
