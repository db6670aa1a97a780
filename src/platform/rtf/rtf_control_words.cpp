#include "platform/rtf/rtf_control_words.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace rtf {

namespace {

struct Entry {
  std::string_view name;
  ControlWord control;
};

// Sorted by name for the binary search.
constexpr std::array entries = {
    Entry{"ab", {Word::ab, Kind::value}},
    Entry{"af", {Word::af, Kind::value}},
    Entry{"afs", {Word::afs, Kind::value}},
    Entry{"aftncn", {Word::unknown, Kind::skipped_destination}},
    Entry{"aftnsep", {Word::unknown, Kind::skipped_destination}},
    Entry{"aftnsepc", {Word::unknown, Kind::skipped_destination}},
    Entry{"ai", {Word::ai, Kind::value}},
    Entry{"annotation", {Word::unknown, Kind::skipped_destination}},
    Entry{"ansi", {Word::ansi, Kind::value}},
    Entry{"ansicpg", {Word::ansicpg, Kind::value}},
    Entry{"atnauthor", {Word::unknown, Kind::skipped_destination}},
    Entry{"atndate", {Word::unknown, Kind::skipped_destination}},
    Entry{"atnid", {Word::unknown, Kind::skipped_destination}},
    Entry{"atnref", {Word::unknown, Kind::skipped_destination}},
    Entry{"b", {Word::b, Kind::value}},
    Entry{"bkmkend", {Word::unknown, Kind::skipped_destination}},
    Entry{"bkmkstart", {Word::unknown, Kind::skipped_destination}},
    Entry{"blue", {Word::blue, Kind::value}},
    Entry{"bullet", {Word::bullet, Kind::value}},
    Entry{"caps", {Word::caps, Kind::value}},
    Entry{"cb", {Word::cb, Kind::value}},
    Entry{"cell", {Word::cell, Kind::value}},
    Entry{"cf", {Word::cf, Kind::value}},
    Entry{"chcbpat", {Word::chcbpat, Kind::value}},
    Entry{"chftn", {Word::chftn, Kind::value}},
    Entry{"colorschememapping", {Word::unknown, Kind::skipped_destination}},
    Entry{"colortbl", {Word::colortbl, Kind::destination}},
    Entry{"comment", {Word::unknown, Kind::skipped_destination}},
    Entry{"cpg", {Word::cpg, Kind::value}},
    Entry{"datastore", {Word::unknown, Kind::skipped_destination}},
    Entry{"dbch", {Word::dbch, Kind::value}},
    Entry{"deff", {Word::deff, Kind::value}},
    Entry{"dibitmap", {Word::dibitmap, Kind::value}},
    Entry{"do", {Word::unknown, Kind::skipped_destination}},
    Entry{"docvar", {Word::unknown, Kind::skipped_destination}},
    Entry{"emdash", {Word::emdash, Kind::value}},
    Entry{"emfblip", {Word::emfblip, Kind::value}},
    Entry{"emspace", {Word::emspace, Kind::value}},
    Entry{"endash", {Word::endash, Kind::value}},
    Entry{"enspace", {Word::enspace, Kind::value}},
    Entry{"expandedcolortbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"f", {Word::f, Kind::value}},
    Entry{"falt", {Word::unknown, Kind::skipped_destination}},
    Entry{"fcharset", {Word::fcharset, Kind::value}},
    Entry{"fi", {Word::fi, Kind::value}},
    Entry{"field", {Word::field, Kind::value}},
    Entry{"filetbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"fldinst", {Word::fldinst, Kind::destination}},
    Entry{"fldrslt", {Word::fldrslt, Kind::destination}},
    Entry{"fname", {Word::unknown, Kind::skipped_destination}},
    Entry{"fonttbl", {Word::fonttbl, Kind::destination}},
    Entry{"footer", {Word::unknown, Kind::skipped_destination}},
    Entry{"footerf", {Word::unknown, Kind::skipped_destination}},
    Entry{"footerl", {Word::unknown, Kind::skipped_destination}},
    Entry{"footerr", {Word::unknown, Kind::skipped_destination}},
    Entry{"footnote", {Word::footnote, Kind::destination}},
    Entry{"fs", {Word::fs, Kind::value}},
    Entry{"ftncn", {Word::unknown, Kind::skipped_destination}},
    Entry{"ftnsep", {Word::unknown, Kind::skipped_destination}},
    Entry{"ftnsepc", {Word::unknown, Kind::skipped_destination}},
    Entry{"generator", {Word::unknown, Kind::skipped_destination}},
    Entry{"green", {Word::green, Kind::value}},
    Entry{"header", {Word::unknown, Kind::skipped_destination}},
    Entry{"headerf", {Word::unknown, Kind::skipped_destination}},
    Entry{"headerl", {Word::unknown, Kind::skipped_destination}},
    Entry{"headerr", {Word::unknown, Kind::skipped_destination}},
    Entry{"hich", {Word::hich, Kind::value}},
    Entry{"highlight", {Word::highlight, Kind::value}},
    Entry{"i", {Word::i, Kind::value}},
    Entry{"info", {Word::unknown, Kind::skipped_destination}},
    Entry{"intbl", {Word::intbl, Kind::value}},
    Entry{"itap", {Word::itap, Kind::value}},
    Entry{"jpegblip", {Word::jpegblip, Kind::value}},
    Entry{"latentstyles", {Word::unknown, Kind::skipped_destination}},
    Entry{"ldblquote", {Word::ldblquote, Kind::value}},
    Entry{"li", {Word::li, Kind::value}},
    Entry{"lin", {Word::lin, Kind::value}},
    Entry{"line", {Word::line, Kind::value}},
    Entry{"listoverridetable", {Word::unknown, Kind::skipped_destination}},
    Entry{"listtable", {Word::unknown, Kind::skipped_destination}},
    Entry{"listtext", {Word::listtext, Kind::destination}},
    Entry{"loch", {Word::loch, Kind::value}},
    Entry{"lquote", {Word::lquote, Kind::value}},
    Entry{"ls", {Word::ls, Kind::value}},
    Entry{"ltrch", {Word::ltrch, Kind::value}},
    Entry{"ltrmark", {Word::ltrmark, Kind::value}},
    Entry{"mac", {Word::mac, Kind::value}},
    Entry{"macpict", {Word::macpict, Kind::value}},
    Entry{"mmathPr", {Word::unknown, Kind::skipped_destination}},
    Entry{"nestcell", {Word::nestcell, Kind::value}},
    Entry{"nestrow", {Word::nestrow, Kind::value}},
    Entry{"nesttableprops", {Word::unknown, Kind::destination}},
    Entry{"nonesttables", {Word::unknown, Kind::skipped_destination}},
    Entry{"nonshppict", {Word::unknown, Kind::skipped_destination}},
    Entry{"nosupersub", {Word::nosupersub, Kind::value}},
    Entry{"objclass", {Word::unknown, Kind::skipped_destination}},
    Entry{"objdata", {Word::unknown, Kind::skipped_destination}},
    Entry{"object", {Word::object, Kind::value}},
    Entry{"page", {Word::page, Kind::value}},
    Entry{"panose", {Word::unknown, Kind::skipped_destination}},
    Entry{"par", {Word::par, Kind::value}},
    Entry{"pard", {Word::pard, Kind::value}},
    Entry{"pc", {Word::pc, Kind::value}},
    Entry{"pca", {Word::pca, Kind::value}},
    Entry{"pgdsctbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"picbmp", {Word::picbmp, Kind::value}},
    Entry{"picbpp", {Word::picbpp, Kind::value}},
    Entry{"piccropb", {Word::piccropb, Kind::value}},
    Entry{"piccropl", {Word::piccropl, Kind::value}},
    Entry{"piccropr", {Word::piccropr, Kind::value}},
    Entry{"piccropt", {Word::piccropt, Kind::value}},
    Entry{"pich", {Word::pich, Kind::value}},
    Entry{"pichgoal", {Word::pichgoal, Kind::value}},
    Entry{"picscalex", {Word::picscalex, Kind::value}},
    Entry{"picscaley", {Word::picscaley, Kind::value}},
    Entry{"pict", {Word::pict, Kind::destination}},
    Entry{"picw", {Word::picw, Kind::value}},
    Entry{"picwgoal", {Word::picwgoal, Kind::value}},
    Entry{"plain", {Word::plain, Kind::value}},
    Entry{"pmmetafile", {Word::pmmetafile, Kind::value}},
    Entry{"pn", {Word::pn, Kind::destination}},
    Entry{"pndec", {Word::pndec, Kind::value}},
    Entry{"pngblip", {Word::pngblip, Kind::value}},
    Entry{"pnlcltr", {Word::pnlcltr, Kind::value}},
    Entry{"pnlcrm", {Word::pnlcrm, Kind::value}},
    Entry{"pnlvlblt", {Word::pnlvlblt, Kind::value}},
    Entry{"pnlvlbody", {Word::pnlvlbody, Kind::value}},
    Entry{"pntext", {Word::pntext, Kind::destination}},
    Entry{"pntxta", {Word::unknown, Kind::skipped_destination}},
    Entry{"pntxtb", {Word::unknown, Kind::skipped_destination}},
    Entry{"pnucltr", {Word::pnucltr, Kind::value}},
    Entry{"pnucrm", {Word::pnucrm, Kind::value}},
    Entry{"qc", {Word::qc, Kind::value}},
    Entry{"qd", {Word::qd, Kind::value}},
    Entry{"qj", {Word::qj, Kind::value}},
    Entry{"ql", {Word::ql, Kind::value}},
    Entry{"qmspace", {Word::qmspace, Kind::value}},
    Entry{"qr", {Word::qr, Kind::value}},
    Entry{"rdblquote", {Word::rdblquote, Kind::value}},
    Entry{"red", {Word::red, Kind::value}},
    Entry{"revtbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"ri", {Word::ri, Kind::value}},
    Entry{"rin", {Word::rin, Kind::value}},
    Entry{"row", {Word::row, Kind::value}},
    Entry{"rquote", {Word::rquote, Kind::value}},
    Entry{"rsidtbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"rtlch", {Word::rtlch, Kind::value}},
    Entry{"rtlmark", {Word::rtlmark, Kind::value}},
    Entry{"scaps", {Word::scaps, Kind::value}},
    Entry{"sect", {Word::sect, Kind::value}},
    Entry{"shp", {Word::shp, Kind::value}},
    Entry{"shpgrp", {Word::shpgrp, Kind::value}},
    Entry{"shpinst", {Word::shpinst, Kind::destination}},
    Entry{"shppict", {Word::shppict, Kind::destination}},
    Entry{"shprslt", {Word::shprslt, Kind::destination}},
    Entry{"sl", {Word::sl, Kind::value}},
    Entry{"slmult", {Word::slmult, Kind::value}},
    Entry{"sn", {Word::sn, Kind::destination}},
    Entry{"strike", {Word::strike, Kind::value}},
    Entry{"striked", {Word::striked, Kind::value}},
    Entry{"stylesheet", {Word::unknown, Kind::skipped_destination}},
    Entry{"sub", {Word::sub, Kind::value}},
    Entry{"super", {Word::super, Kind::value}},
    Entry{"sv", {Word::sv, Kind::destination}},
    Entry{"tab", {Word::tab, Kind::value}},
    Entry{"tc", {Word::unknown, Kind::skipped_destination}},
    Entry{"template", {Word::unknown, Kind::skipped_destination}},
    Entry{"themedata", {Word::unknown, Kind::skipped_destination}},
    Entry{"txe", {Word::unknown, Kind::skipped_destination}},
    Entry{"u", {Word::u, Kind::value}},
    Entry{"uc", {Word::uc, Kind::value}},
    Entry{"ud", {Word::ud, Kind::destination}},
    Entry{"ul", {Word::ul, Kind::value}},
    Entry{"uld", {Word::uld, Kind::value}},
    Entry{"uldash", {Word::uldash, Kind::value}},
    Entry{"uldashd", {Word::uldashd, Kind::value}},
    Entry{"uldashdd", {Word::uldashdd, Kind::value}},
    Entry{"uldb", {Word::uldb, Kind::value}},
    Entry{"ulhwave", {Word::ulhwave, Kind::value}},
    Entry{"ulldash", {Word::ulldash, Kind::value}},
    Entry{"ulnone", {Word::ulnone, Kind::value}},
    Entry{"ulth", {Word::ulth, Kind::value}},
    Entry{"ulthd", {Word::ulthd, Kind::value}},
    Entry{"ulthdash", {Word::ulthdash, Kind::value}},
    Entry{"ulthdashd", {Word::ulthdashd, Kind::value}},
    Entry{"ulthdashdd", {Word::ulthdashdd, Kind::value}},
    Entry{"ulthldash", {Word::ulthldash, Kind::value}},
    Entry{"ululdbwave", {Word::ululdbwave, Kind::value}},
    Entry{"ulw", {Word::ulw, Kind::value}},
    Entry{"ulwave", {Word::ulwave, Kind::value}},
    Entry{"upr", {Word::upr, Kind::destination}},
    Entry{"userprops", {Word::unknown, Kind::skipped_destination}},
    Entry{"v", {Word::v, Kind::value}},
    Entry{"wbitmap", {Word::wbitmap, Kind::value}},
    Entry{"wbmbitspixel", {Word::wbmbitspixel, Kind::value}},
    Entry{"wbmplanes", {Word::wbmplanes, Kind::value}},
    Entry{"wbmwidthbytes", {Word::wbmwidthbytes, Kind::value}},
    Entry{"wmetafile", {Word::wmetafile, Kind::value}},
    Entry{"xe", {Word::unknown, Kind::skipped_destination}},
    Entry{"xmlnstbl", {Word::unknown, Kind::skipped_destination}},
    Entry{"zwbo", {Word::zwbo, Kind::value}},
    Entry{"zwj", {Word::zwj, Kind::value}},
    Entry{"zwnbo", {Word::zwnbo, Kind::value}},
    Entry{"zwnj", {Word::zwnj, Kind::value}},
};

static_assert(std::is_sorted(entries.begin(), entries.end(),
                             [](const Entry& a, const Entry& b) { return a.name < b.name; }));

// An open-addressing index of the table by a hash of the name: a word is found in a step or two,
// which counts in text that holds a \u for every character.
constexpr std::size_t index_size = 1024;
static_assert(index_size >= 2 * entries.size());

constexpr std::size_t name_hash(std::string_view name) {
  std::size_t hash = 2166136261u;
  for (const char c : name)
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  return hash & (index_size - 1);
}

// Each slot holds an entry's number plus one; 0 is empty.
constexpr std::array<std::uint16_t, index_size> name_index = [] {
  std::array<std::uint16_t, index_size> slots{};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::size_t slot = name_hash(entries[i].name);
    while (slots[slot] != 0)
      slot = (slot + 1) & (index_size - 1);
    slots[slot] = static_cast<std::uint16_t>(i + 1);
  }
  return slots;
}();

}  // namespace

ControlWord find_control_word(std::string_view name) {
  for (std::size_t slot = name_hash(name); name_index[slot] != 0;
       slot = (slot + 1) & (index_size - 1)) {
    const Entry& entry = entries[name_index[slot] - 1u];
    if (entry.name == name)
      return entry.control;
  }
  return {};
}

}  // namespace rtf
