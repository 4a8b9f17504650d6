#include "ModulatedParameters.h"

namespace ModulatedParameters
{
const std::vector<ParameterElement>& list()
{
    static const std::vector<ParameterElement> elements{
        {1, true},   {4, true},   {5, true},   {9, true},   {0, true},                         // audio path
        {13, true},  {14, true},  {15, true},  {16, true},  {19, true}, {20, true}, {21, true}, // filters
        {22, true},                                                                            //
        {31, true},  {32, true},  {30, true},  {27, true},  {33, true}, {35, true}, {37, true}, // LFO 1
        {45, true},  {46, true},  {44, true},  {41, true},  {47, true}, {49, true}, {51, true}, // LFO 2
        {54, false}, {55, false}, {56, false}, {58, false}, {60, false},                       // envelope
        {101, true}, {103, true}};                                                             // sequencer
    return elements;
}
} // namespace ModulatedParameters
