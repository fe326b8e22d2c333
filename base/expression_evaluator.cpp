// Expression evaluation by text rewriting: the innermost parentheses are replaced by their value,
// then the operators are reduced pass by pass, each result written back as text. Intermediate
// values are written with 17 significant digits, which gives back every double exactly.
#include "base/expression_evaluator.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "base/number_text.h"

namespace vorne {

namespace {

constexpr int kIntermediateDigits = 17;
// Deepest nesting of functions, factorials and signs inside one term; a deeper term is refused
// rather than recursing without bound.
constexpr int kMaxTermDepth = 200;
// 171! is beyond the double range; refusing early also keeps a huge n from looping.
constexpr double kLargestFactorial = 170.0;

const QString kPrefix = QStringLiteral("Entry could not be evaluated:\n");

[[noreturn]] void fail(const char* reason) {
  throw EExpressionError(kPrefix + QLatin1String(reason));
}

enum class Function {
  ArcTanh,
  ArcTan,
  Cotan,
  Tanh,
  Tan,
  ArcCosh,
  ArcCos,
  Cosh,
  Cosec,
  Cos,
  Sec,
  ArcSinh,
  ArcSin,
  Sinh,
  Sin,
  Csc,
  Abs,
  Frac,
  Int,
  Ln,
  Round,
  Ceil,
  Floor,
  Log,
  Sqrt,
};

struct FunctionName {
  std::string_view name;
  Function function;
};

// Tested in this order; the first name the term starts with wins ("arctanh" before "arctan").
constexpr std::array<FunctionName, 25> kFunctions{{
    {"arctanh", Function::ArcTanh}, {"arctan", Function::ArcTan}, {"cotan", Function::Cotan},
    {"tanh", Function::Tanh},       {"tan", Function::Tan},       {"arccosh", Function::ArcCosh},
    {"arccos", Function::ArcCos},   {"cosh", Function::Cosh},     {"cosec", Function::Cosec},
    {"cos", Function::Cos},         {"sec", Function::Sec},       {"arcsinh", Function::ArcSinh},
    {"arcsin", Function::ArcSin},   {"sinh", Function::Sinh},     {"sin", Function::Sin},
    {"csc", Function::Csc},         {"abs", Function::Abs},       {"frac", Function::Frac},
    {"int", Function::Int},         {"ln", Function::Ln},         {"round", Function::Round},
    {"ceil", Function::Ceil},       {"floor", Function::Floor},   {"log", Function::Log},
    {"sqrt", Function::Sqrt},
}};

const FunctionName* functionAtStart(std::string_view term) {
  for (const FunctionName& f : kFunctions) {
    if (term.substr(0, f.name.size()) == f.name) return &f;
  }
  return nullptr;
}

bool isFunctionName(std::string_view text) {
  if (text == "!" || text == "$") return true;
  for (const FunctionName& f : kFunctions) {
    if (text == f.name) return true;
  }
  return false;
}

double apply(Function f, double x) {
  switch (f) {
    case Function::ArcTanh:
      return std::atanh(x);
    case Function::ArcTan:
      return std::atan(x);
    case Function::Cotan:
      return 1.0 / std::tan(x);
    case Function::Tanh:
      return std::tanh(x);
    case Function::Tan:
      return std::tan(x);
    case Function::ArcCosh:
      return std::acosh(x);
    case Function::ArcCos:
      return std::acos(x);
    case Function::Cosh:
      return std::cosh(x);
    case Function::Cosec:
      return 1.0 / std::sin(x);
    case Function::Cos:
      return std::cos(x);
    case Function::Sec:
      return 1.0 / std::cos(x);
    case Function::ArcSinh:
      return std::asinh(x);
    case Function::ArcSin:
      return std::asin(x);
    case Function::Sinh:
      return std::sinh(x);
    case Function::Sin:
      return std::sin(x);
    case Function::Csc:
      return 1.0 / std::sin(x);
    case Function::Abs:
      return std::fabs(x);
    case Function::Frac:
      return x - std::trunc(x);
    case Function::Int:
      return std::trunc(x);
    case Function::Ln:
      return std::log(x);
    case Function::Round:
      return std::round(x);
    case Function::Ceil:
      return std::ceil(x);
    case Function::Floor:
      return std::floor(x);
    case Function::Log:
      return std::log10(x);
    case Function::Sqrt:
      return std::sqrt(x);
  }
  return x;
}

// A value that is not a finite number is refused here, so that no NaN or infinity reaches a
// field or a file.
double checked(double value) {
  if (std::isnan(value)) fail("result is not a number");
  if (std::isinf(value)) fail("result is too large");
  return value;
}

std::string toLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

double evaluateTerm(std::string term, int depth);

double factorial(double n) {
  if (n != std::trunc(n)) fail("! (factoral) applicable to integers only");
  const double magnitude = std::fabs(n);
  if (magnitude > kLargestFactorial) fail("result is too large");
  double result = 1.0;
  for (int k = 2; k <= static_cast<int>(magnitude); ++k) result *= k;
  return n < 0 ? -result : result;
}

double hexadecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 15) fail("invalid use of $ (hex function)");
  std::int64_t value = 0;
  for (char c : digits) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      fail("invalid use of $ (hex function)");
    }
    value = value * 16 + digit;
  }
  return static_cast<double>(value);
}

double evaluateTerm(std::string term, int depth) {
  if (depth > kMaxTermDepth) fail("invalid expression");
  // Every "--" pair cancels.
  for (std::size_t p = term.find("--"); p != std::string::npos; p = term.find("--", p)) {
    term.erase(p, 2);
  }
  if (term == "pi") return std::numbers::pi;
  if (term == "-pi") return -std::numbers::pi;
  if (term == "e") return std::numbers::e;
  if (term == "-e") return -std::numbers::e;
  if (const FunctionName* f = functionAtStart(term)) {
    return checked(apply(f->function, evaluateTerm(term.substr(f->name.size()), depth + 1)));
  }
  // A sign in front of a function or a hexadecimal number negates it ("-sqrt4", "-$1F").
  if (term.size() > 1 && term[0] == '-' &&
      (term[1] == '$' || functionAtStart(std::string_view(term).substr(1)) != nullptr)) {
    return -evaluateTerm(term.substr(1), depth + 1);
  }
  if (!term.empty() && term.back() == '!') {
    term.pop_back();
    return factorial(evaluateTerm(term, depth + 1));
  }
  if (!term.empty() && term[0] == '$') return hexadecimal(std::string_view(term).substr(1));
  double value = 0.0;
  if (!parseDecimal(term, value)) fail("invalid character(s) in expression");
  return value;
}

// The text before position i ends with a function name that starts the operand, as in "2*sin-0.5"
// (from "2*sin(-0.5)" once the parentheses are resolved).
bool endsWithFunctionOperand(std::string_view before) {
  std::size_t start = before.size();
  while (start > 0 && ((before[start - 1] >= 'a' && before[start - 1] <= 'z'))) --start;
  if (start == before.size()) return false;
  if (start > 0 && std::string_view("^*/%+-=|&").find(before[start - 1]) == std::string_view::npos)
    return false;
  return isFunctionName(before.substr(start));
}

bool isSign(std::string_view text, std::size_t i) {
  if (i == 0) return true;
  const std::string_view before = text.substr(0, i);
  if (isFunctionName(before)) return true;
  const char previous = text[i - 1];
  // A "-" after any "-" is a sign: "5--3" (from "5-(0-3)") is 5 minus -3.
  if (std::string_view("%&*+/=E^e|-").find(previous) != std::string_view::npos) return true;
  return endsWithFunctionOperand(before);
}

double reduce(char op, double a, double b) {
  switch (op) {
    case '^':
      return checked(std::pow(a, b));
    case '*':
      return checked(a * b);
    case '/':
      if (b == 0.0) fail("division by zero");
      return checked(a / b);
    case '%': {
      const double ta = std::trunc(a);
      const double tb = std::trunc(b);
      // Both operands must fit a 64-bit integer.
      constexpr double kLimit = 9.2233720368547758e18;
      if (std::fabs(ta) >= kLimit || std::fabs(tb) >= kLimit) fail("result is too large");
      if (tb == 0.0) fail("division by zero");
      return static_cast<double>(static_cast<std::int64_t>(ta) % static_cast<std::int64_t>(tb));
    }
    case '&':
      return (a != 0.0 && b != 0.0) ? 1.0 : 0.0;
    case '+':
      return checked(a + b);
    case '-':
      return checked(a - b);
    case '|':
      return (a != 0.0 || b != 0.0) ? 1.0 : 0.0;
    case '=':
      return a == b ? 1.0 : 0.0;
    default:
      break;
  }
  fail("invalid expression");
}

// Evaluates a text without parentheses.
double evaluateFlat(const std::string& text) {
  std::vector<std::string> operands(1);
  std::vector<char> operators;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool isOperator = std::string_view("^*/%+=|&").find(c) != std::string_view::npos ||
                            (c == '-' && !isSign(text, i));
    if (isOperator) {
      operators.push_back(c);
      operands.emplace_back();
    } else {
      operands.back().push_back(c);
    }
  }
  if (operands.size() != operators.size() + 1) fail("invalid expression");

  const std::array<std::string_view, 4> kPasses{"^", "*/%&", "+-|", "="};
  for (std::string_view pass : kPasses) {
    std::size_t k = 0;
    while (k < operators.size()) {
      if (pass.find(operators[k]) == std::string_view::npos) {
        ++k;
        continue;
      }
      const double a = evaluateTerm(operands[k], 0);
      const double b = evaluateTerm(operands[k + 1], 0);
      operands[k] = formatGeneral(reduce(operators[k], a, b), kIntermediateDigits);
      operands.erase(operands.begin() + static_cast<std::ptrdiff_t>(k) + 1);
      operators.erase(operators.begin() + static_cast<std::ptrdiff_t>(k));
    }
  }
  return checked(evaluateTerm(operands.front(), 0));
}

}  // namespace

double evaluateExpression(const QString& input) {
  std::string text;
  for (char c : toLower(input.toStdString())) {
    if (c != ' ' && c != '\t') text.push_back(c);
  }
  if (text.empty()) fail("entry cannot be blank");
  for (std::size_t close = text.find(')'); close != std::string::npos; close = text.find(')')) {
    const std::size_t open = text.rfind('(', close);
    if (open == std::string::npos) fail("() (parentheses) do not match");
    const std::string inner = text.substr(open + 1, close - open - 1);
    if (inner.empty()) fail("entry cannot be blank");
    text.replace(open, close - open + 1, formatGeneral(evaluateFlat(inner), kIntermediateDigits));
  }
  return evaluateFlat(text);
}

}  // namespace vorne
