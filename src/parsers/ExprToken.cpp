#include "parsers/ExprToken.h"

namespace kroma {

int OperandCount(ExprCode code) {
  switch (code) {
    case ExprCode::If:
    case ExprCode::Mid:
    case ExprCode::Replace:
    case ExprCode::DateAdd: return 3;
    case ExprCode::Assign:
    case ExprCode::Sin:
    case ExprCode::Cos:
    case ExprCode::Sqr:
    case ExprCode::Sqrt:
    case ExprCode::Ceil:
    case ExprCode::Floor:
    case ExprCode::AsNumber:
    case ExprCode::IsNumeric:
    case ExprCode::Length:
    case ExprCode::Lower:
    case ExprCode::Upper:
    case ExprCode::Trim:
    case ExprCode::Soundex:
    case ExprCode::In:
    case ExprCode::Not:
    case ExprCode::Year:
    case ExprCode::Month:
    case ExprCode::Day:
    case ExprCode::IsDate:
    case ExprCode::Easter:
    case ExprCode::WeekNumber: return 1;
    case ExprCode::None:
    case ExprCode::Literal:
    case ExprCode::Variable: return 0;
    default: return 2;
  }
}

}  // namespace kroma
