#include "Scenario.h"

#include <cstdio>
#include <png.h>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

std::vector<std::string> ScenarioResult::withPrefix(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines)
        if (l.compare(0, prefix.size(), prefix) == 0) out.push_back(l.substr(prefix.size()));
    return out;
}

bool ScenarioResult::pixel(int x, int y, Rgb& out) const {
    std::string key = "pixel: " + std::to_string(x) + " " + std::to_string(y) + " ";
    for (const std::string& l : lines) {
        if (l.compare(0, key.size(), key) != 0) continue;
        std::istringstream in(l.substr(key.size()));
        return static_cast<bool>(in >> out.r >> out.g >> out.b);
    }
    return false;
}

std::string probe(int x, int y, int radius) {
    std::string s;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            s += "pixel " + std::to_string(x + dx) + " " + std::to_string(y + dy) + "\n";
    return s;
}

ScenarioResult runScenario(const std::string& script, const std::vector<std::string>& options) {
    char dir[] = "/tmp/ilvaron-scenario-XXXXXX";
    ScenarioResult result;
    if (!mkdtemp(dir)) return result;
    std::string in = std::string(dir) + "/in", out = std::string(dir) + "/out",
                err = std::string(dir) + "/err";
    std::ofstream(in) << script;
    std::string command = std::string(ILVARON_SCRIPT);
    for (const std::string& o : options) command += " '" + o + "'";
    // A hung program must not hang the suite.
    command = "timeout 120 " + command + " <" + in + " >" + out + " 2>" + err;
    int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream o(out);
    for (std::string line; std::getline(o, line);) result.lines.push_back(line);
    std::ifstream e(err);
    std::stringstream ss;
    ss << e.rdbuf();
    result.errors = ss.str();
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove(err.c_str());
    rmdir(dir);
    return result;
}

bool readPng(const std::string& path, Image& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgba.assign(PNG_IMAGE_SIZE(image), 0);
    bool ok = png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}
