#pragma once
// Menus of a form: top-level menus, their entries, menu-item arrays that grow at run time.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace forms {

/// One menu entry, or a top-level menu or item of the menu bar.
class MenuItem {
public:
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    /// The caption as it reads: without the "&" that marks the key of a keyboard user.
    std::string caption() const;
    void set_caption(const std::string& caption);
    bool enabled() const;
    /// A disabled top-level menu is greyed and its popup does not open.
    void set_enabled(bool on);
    bool visible() const;
    void set_visible(bool on);

    /// Runs when the user chooses the entry.
    std::function<void()> on_click;

    struct Impl;
    explicit MenuItem(std::unique_ptr<Impl> impl);
    Impl& impl() { return *d; }

private:
    std::unique_ptr<Impl> d;
};

/// An indexed array of entries placed together in a menu; its click reports the index.
class MenuArray {
public:
    /// The entry at `index`; a missing one raises the subscript error.
    MenuItem& operator[](int index);
    /// Adds entry `index` below the entries already there; an index in use raises an error.
    MenuItem& load(int index);
    /// How many entries the array holds.
    int count() const { return static_cast<int>(items_.size()); }

    /// Runs when the user chooses an entry, with its index.
    std::function<void(int)> on_click;

    struct Place;
    explicit MenuArray(std::unique_ptr<Place> place);
    ~MenuArray();

private:
    std::unique_ptr<Place> place_;
    std::map<int, std::unique_ptr<MenuItem>> items_;
};

/// A top-level menu with a popup of entries.
class Menu {
public:
    /// The top-level entry itself (caption, enabled, visible).
    MenuItem& title() { return *title_; }
    /// Appends an entry.
    MenuItem& add_item(const std::string& caption);
    /// Appends a menu-item array whose entry 0 has `caption`.
    MenuArray& add_array(const std::string& caption);

    struct Impl;
    explicit Menu(std::unique_ptr<Impl> impl);
    ~Menu();

private:
    std::unique_ptr<Impl> d;
    std::unique_ptr<MenuItem> title_;
    std::deque<std::unique_ptr<MenuItem>> items_;
    std::deque<std::unique_ptr<MenuArray>> arrays_;
};

} // namespace forms
