#pragma once

#include "history/clsSessionData.h"

#include <algorithm>
#include <vector>

namespace tw::historynodes {

// The walk shared by the root, year and month levels: find the child with a key, create it on first use, and drop
// it when a deletion leaves it empty. Children keep the order in which they were created.

template <class Node> Node* findChild(std::vector<Node>& children, int key) {
    // Newest first: a loading history mostly adds to the period created last.
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (it->key() == key) {
            return &*it;
        }
    }
    return nullptr;
}

template <class Node> const Node* findChild(const std::vector<Node>& children, int key) {
    return findChild(const_cast<std::vector<Node>&>(children), key);
}

template <class Node> void insertIntoChild(std::vector<Node>& children, int key, const clsSessionData& session) {
    Node* child = findChild(children, key);
    if (child == nullptr) {
        child = &children.emplace_back();
    }
    child->insertLog(session);
}

// True when a child with the key existed (the session was looked for there).
template <class Node> bool deleteFromChild(std::vector<Node>& children, int key, const clsSessionData& session) {
    auto it = std::find_if(children.begin(), children.end(), [key](const Node& n) { return n.key() == key; });
    if (it == children.end()) {
        return false;
    }
    if (it->deleteLog(session)) {
        children.erase(it);
    }
    return true;
}

template <class Node> bool anyChildHoldsRunningSession(const std::vector<Node>& children) {
    return std::any_of(children.begin(), children.end(), [](const Node& n) { return n.holdsRunningSession(); });
}

} // namespace tw::historynodes
