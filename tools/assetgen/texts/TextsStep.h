#pragma once
// The "texts" step: the localised texts (local/*.xml) and images/branding.xml, in code page
// 1251, from the UTF-8 lists in assets/texts/.
//
// Every *.txt file there holds sections; a section names one output file and lists its texts:
//
//   [local/1.xml]                       texts TextN inside HelpText (the default)
//   [images/branding.xml Branding Data] texts DataN inside Branding
//   1 = ОК                              N = text; the text may be empty
//
// A number given twice within a file, a file named in two sections, or a text code page 1251
// cannot hold is an error naming the source line. A word starting with "#" begins a comment
// (audio/SourceText reads the lines).

#include "tools/assetgen/Steps.h"

namespace Vuro::AssetGen {

int RunTextsStep(const StepContext& context);

} // namespace Vuro::AssetGen
