#pragma once

// The parsed form of a script: statements made of expressions. The parser
// resolves what it can (literals, predefined constants, builtin functions);
// whether any other name is a script variable or an operation of the engine
// is decided while the script runs.

#include "ScriptBuiltins.h"
#include "ScriptOperators.h"
#include <orvreport/Variant.h>

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace orv::script {

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct LiteralExpr {
    Variant value;
};

// A bare name: a script variable once assigned, otherwise a property read (or
// a method call without arguments) on the engine.
struct NameExpr {
    std::string name;
};

struct Argument {
    ExprPtr value; // null for an omitted argument
    // The name when the argument is a bare name: a variable passed so is
    // passed by reference, and what the operation writes back into the
    // argument lands in the variable. Empty for any other argument.
    std::string reference;
};

// A call of a builtin function, or of an engine operation when `builtin` is
// null.
struct CallExpr {
    std::string name;
    const Builtin* builtin = nullptr;
    std::vector<Argument> arguments;
};

struct UnaryExpr {
    UnaryOperator op;
    ExprPtr operand;
};

struct BinaryExpr {
    BinaryOperator op;
    ExprPtr left;
    ExprPtr right;
};

struct Expr {
    std::variant<LiteralExpr, NameExpr, CallExpr, UnaryExpr, BinaryExpr> node;

    // Frees the tree below without recursing once per level, so that a long
    // chain (a + b + c ...) cannot exhaust the stack.
    ~Expr();
};

inline Expr::~Expr()
{
    std::vector<ExprPtr> pending;
    auto detachChildren = [&pending](Expr& expr) {
        if (auto* unary = std::get_if<UnaryExpr>(&expr.node)) {
            pending.push_back(std::move(unary->operand));
        } else if (auto* binary = std::get_if<BinaryExpr>(&expr.node)) {
            pending.push_back(std::move(binary->left));
            pending.push_back(std::move(binary->right));
        } else if (auto* call = std::get_if<CallExpr>(&expr.node)) {
            for (Argument& argument : call->arguments)
                pending.push_back(std::move(argument.value));
        }
    };
    detachChildren(*this);
    while (!pending.empty()) {
        ExprPtr next = std::move(pending.back());
        pending.pop_back();
        if (next)
            detachChildren(*next);
    }
}

// A call whose result, if any, is dropped.
struct CallStatement {
    CallExpr call;
};

// `Name = value`: a property write when the engine has a writable property
// of that name, otherwise a script variable.
struct AssignStatement {
    std::string name;
    ExprPtr value;
};

struct PrintStatement {
    std::vector<ExprPtr> values;
};

// Queues the answer for the next dialog the engine shows.
struct AnswerStatement {
    ExprPtr answer;
};

struct Statement {
    std::variant<CallStatement, AssignStatement, PrintStatement, AnswerStatement> node;
    int line = 0;
};

// `Dim name`: a script variable that exists, Empty, from the start of the
// script wherever its declaration stands.
struct Declaration {
    std::string name;
    int line = 0;
};

struct Program {
    std::vector<Statement> statements;
    std::vector<Declaration> declarations;
    // `Option Explicit`: assigning a name that is neither declared nor an
    // operation of the engine is a fault of the script.
    bool optionExplicit = false;
};

} // namespace orv::script
