// Changing what the user's jobs start with: the default queue and a queue's settings, kept in
// the user's own lpoptions as CUPS's own tools keep them.

#include "queues/codes.h"
#include "queues/dests_linux.h"
#include "queues/queue.h"

#include <string>
#include <utility>
#include <vector>

namespace queues {
namespace {

/// The options to add to a queue's user defaults, and the other spellings of the same
/// settings to drop so that they cannot contradict them.
struct Change {
    std::vector<std::pair<std::string, std::string>> add;
    std::vector<std::string> drop;

    void set(std::string name, std::string value, std::initializer_list<const char*> others = {})
    {
        for (const char* o : others)
            drop.emplace_back(o);
        add.emplace_back(std::move(name), std::move(value));
    }
};

// Each setting's part of the change; false when the queue does not offer its value.

bool plan_orientation(const Queue&, const Settings& s, Change& c)
{
    if (s.orientation != portrait && s.orientation != landscape)
        return false;
    c.set("orientation-requested", s.orientation == landscape ? "4" : "3");
    return true;
}

bool plan_paper(const Queue& q, const Settings& s, Change& c)
{
    const Choice* p = find_choice(q.papers, s.paper_size);
    if (!p)
        return false;
    if (!p->name.empty()) {
        const pwg_media_t* m = pwgMediaForPPD(p->name.c_str());
        if (m && m->pwg)
            c.set("media", m->pwg, {"PageSize", "PageRegion"});
        else
            c.set("PageSize", p->name, {"media", "PageRegion"});
    }
    return true;
}

bool plan_copies(const Queue&, const Settings& s, Change& c)
{
    if (s.copies < 1 || s.copies > 9999)
        return false;
    c.set("copies", std::to_string(s.copies));
    return true;
}

bool plan_bin(const Queue& q, const Settings& s, Change& c)
{
    const Choice* b = find_choice(q.bins, s.bin);
    if (!b)
        return false;
    if (!b->name.empty())
        c.set("InputSlot", b->name, {"media-source"});
    return true;
}

bool plan_quality(const Queue& q, const Settings& s, Change& c)
{
    const Choice* r = find_choice(q.qualities, s.quality);
    if (!r)
        return false;
    if (!r->name.empty())
        c.set("Resolution", r->name, {"printer-resolution"});
    if (s.quality < 0)
        c.set("print-quality", s.quality == quality_high ? "5" : s.quality == quality_medium ? "4" : "3");
    else
        c.drop.emplace_back("print-quality");
    return true;
}

bool plan_colour(const Queue& q, const Settings& s, Change& c)
{
    const Choice* model = find_choice(q.colours, s.colour);
    if (!model)
        return false;
    // A queue's own colour model is its option; the generic one cannot say it.
    if (s.colour >= user_code_base)
        c.set("ColorModel", model->name, {"print-color-mode"});
    else
        c.set("print-color-mode", s.colour == in_grey ? "monochrome" : "color", {"ColorModel"});
    return true;
}

bool plan_duplex(const Queue& q, const Settings& s, Change& c)
{
    if (!find_choice(q.duplexes, s.duplex))
        return false;
    c.set("sides", s.duplex == long_edge    ? "two-sided-long-edge"
                   : s.duplex == short_edge ? "two-sided-short-edge"
                                            : "one-sided",
          {"Duplex"});
    return true;
}

bool plan_media_type(const Queue& q, const Settings& s, Change& c)
{
    const Choice* m = find_choice(q.media_types, s.media_type);
    if (!m)
        return false;
    if (!m->name.empty())
        c.set("MediaType", m->name, {"media-type"});
    return true;
}

/// Works out the change for the fields named, in their order; false when the queue does not
/// offer a value.
bool plan(const Queue& q, const Settings& s, std::uint32_t fields, Change& c)
{
    using Step = bool (*)(const Queue&, const Settings&, Change&);
    const std::pair<std::uint32_t, Step> steps[] = {
        {field_orientation, plan_orientation}, {field_paper_size, plan_paper}, {field_copies, plan_copies},
        {field_bin, plan_bin},                 {field_quality, plan_quality},  {field_colour, plan_colour},
        {field_duplex, plan_duplex},           {field_media_type, plan_media_type}};
    for (const auto& [field, step] : steps)
        if ((fields & field) && !step(q, s, c))
            return false;
    return true;
}

} // namespace

bool make_default_queue(const std::string& name)
{
    const Dests all;
    cups_dest_t* chosen = all.find(name);
    if (!chosen)
        return false;
    for (cups_dest_t& d : all)
        d.is_default = 0;
    chosen->is_default = 1;
    return all.save();
}

bool store_user_defaults(const Queue& queue, const Settings& settings, std::uint32_t fields)
{
    Change change;
    if (!plan(queue, settings, fields, change))
        return false;
    const Dests all;
    cups_dest_t* d = all.find(queue.name);
    if (!d)
        return false;
    for (const std::string& o : change.drop)
        d->num_options = cupsRemoveOption(o.c_str(), d->num_options, &d->options);
    for (const auto& [option_name, value] : change.add)
        d->num_options = cupsAddOption(option_name.c_str(), value.c_str(), d->num_options, &d->options);
    return all.save();
}

} // namespace queues
