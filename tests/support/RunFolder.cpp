#include "RunFolder.h"

#include "Limg.h"
#include "RunFiles.h"

#include <fstream>

void writeSoundRunFolder(const std::filesystem::path& folder)
{
    for (const bool headset : {false, true})
        for (const RunFile& file : sessionRunFiles(headset)) {
            const std::filesystem::path path = folder / file.path;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream out(path, std::ios::binary);
            if (file.kind == RunFile::Kind::picture)
                out << encodeLimg({4, 4, std::vector<std::uint8_t>(64, 200)});
            else if (file.kind == RunFile::Kind::widths)
                for (int code = 0; code < 256; ++code)
                    out << 9 << (code % 16 == 15 ? '\n' : ' ');
            else
                out << "#version 330 core\nvoid main() {}\n";
        }
}
