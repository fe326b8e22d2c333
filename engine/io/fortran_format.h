// Fixed-column number and text fields for the report and the plot data file, in the edit-
// descriptor notation of the file layouts (Iw, Iw.m, Fw.d, Ew.d, Aw, nX). Output never depends on
// the process locale: the decimal separator is always ".".
#ifndef VORNE_ENGINE_IO_FORTRAN_FORMAT_H
#define VORNE_ENGINE_IO_FORTRAN_FORMAT_H

#include <string>
#include <string_view>

namespace vorne::fmt {

// Iw (minDigits < 0) or Iw.m: integer right-aligned in width characters, with at least minDigits
// digits (leading zeros). A value that does not fit is width asterisks.
std::string intField(long long value, int width, int minDigits = -1);

// Fw.d: fixed point, right-aligned, decimals digits after ".". The leading "0" of a magnitude
// below one is dropped only when the field has no room for it. A value that rounds to zero is
// written without a sign. Non-finite or too wide values are width asterisks.
std::string fixedField(double value, int width, int decimals);

// Ew.d: "0." followed by decimals mantissa digits, "E", sign, two exponent digits, right-aligned
// (9999999.0 in E8.2 is "0.10E+08"). The leading "0" is dropped only when the field has no room
// for it; a three-digit exponent is written without the "E". Too wide or non-finite: asterisks.
std::string expField(double value, int width, int decimals);

// Aw: text cut or blank-padded on the right to width characters.
std::string textField(std::string_view text, int width);

// nX: count blanks.
std::string blanks(int count);

// The same fields appended to out, for writers that build a whole block of lines in one buffer.
void appendInt(std::string& out, long long value, int width, int minDigits = -1);
void appendFixed(std::string& out, double value, int width, int decimals);
void appendExp(std::string& out, double value, int width, int decimals);
void appendText(std::string& out, std::string_view text, int width);
void appendBlanks(std::string& out, int count);
void appendStars(std::string& out, int width);

// The same fields written at out, which has room for them: each writes exactly width (count)
// characters, none when it is not positive, and returns the end of what it wrote. For rows whose
// length is known before they are written (see appendRoom).
char* putInt(char* out, long long value, int width, int minDigits = -1);
char* putFixed(char* out, double value, int width, int decimals);
char* putExp(char* out, double value, int width, int decimals);
char* putBlanks(char* out, int count);
char* putStars(char* out, int width);

// text extended by count characters, for the put functions to fill; returns where they start.
char* appendRoom(std::string& text, std::size_t count);

// count copies of c, e.g. the rules of "=" and "*" in the report.
std::string repeated(char c, int count);

// Text without its trailing blanks.
std::string_view trimRight(std::string_view text);

}  // namespace vorne::fmt

#endif  // VORNE_ENGINE_IO_FORTRAN_FORMAT_H
