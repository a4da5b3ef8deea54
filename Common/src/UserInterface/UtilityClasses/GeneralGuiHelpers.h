#pragma once
// All general helpers of the toolkit in one include.

#include "UserInterface/UtilityClasses/FileReadingHelpers.h"
#include "UserInterface/UtilityClasses/OperatingSystemHelpers.h"
#include "UserInterface/UtilityClasses/ProgressDlgWrapper.h"
#include "UserInterface/UtilityClasses/TextHelpers.h"
#include "UserInterface/UtilityClasses/UrlEncoding.h"
