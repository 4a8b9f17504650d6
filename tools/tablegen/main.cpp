// Generates the factory tables into a folder, one sub-folder per table folder, checking each one.
// Usage: teloma_tablegen OUTPUT_FOLDER

#include "FactoryTables.h"
#include "FloatWavWriter.h"
#include "TableBuilder.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: teloma_tablegen OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path output(argv[1]);
    int failures = 0;
    for (const auto& table : TableGen::factoryTables())
    {
        const std::vector<float> samples = TableGen::buildTable(table);
        const auto problems = TableGen::checkTable(table, samples);
        for (const auto& problem : problems)
            std::cerr << problem << "\n";
        if (!problems.empty())
        {
            ++failures;
            continue;
        }
        std::error_code error;
        std::filesystem::create_directories(output / table.folder, error);
        const auto path = output / table.folder / (table.name + ".wav");
        if (error || !TableGen::writeFloatWav(path.string(), samples))
        {
            std::cerr << "cannot write " << path << "\n";
            ++failures;
        }
    }
    if (failures > 0)
        return 1;
    std::cout << TableGen::factoryTables().size() << " tables written to " << output.string() << "\n";
    return 0;
}
