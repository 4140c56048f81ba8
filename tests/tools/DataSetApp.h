#pragma once
// Reading the data set that the asset tool made beside the program: the path of a file in it,
// and an application whose images load through a display in memory and whose popups are kept.

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDInterface.h"

#include <string>
#include <vector>

namespace Vuro::Test {

// A file of the data set, by its name relative to the program's folder.
inline std::string DataPath(const std::string& name) {
    return std::string(VURO_DATA_DIR) + "/" + name;
}

class DataSetApp : public VuroAppBase {
public:
    DataSetApp() { mDDInterface = new DDInterface(this); }

    void Popup(const std::string& text) override { popups.push_back(text); }

    std::vector<std::string> popups;
};

} // namespace Vuro::Test
