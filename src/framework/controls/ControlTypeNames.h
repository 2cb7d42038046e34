#pragma once
// How descriptions name the values of the control types that several classes publish.

#include "framework/classes/ClassBuilder.h"
#include "framework/controls/ControlTypes.h"

namespace framework {

inline const TEnumNames<TAlignment> kAlignmentNames = {
    {"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}};
inline const TEnumNames<TBevelCut> kBevelCutNames = {
    {"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}, {"bvSpace", bvSpace}};

}  // namespace framework
