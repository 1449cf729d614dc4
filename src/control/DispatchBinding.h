#pragma once

// Binds typed interface operations into dispatch entries: converts each
// Variant argument to the parameter's C++ type, supplies defaults for omitted
// arguments, and wraps the result in a Variant.

#include "control/Dispatch.h"
#include "control/OrvReportEngine.h"

#include <stdexcept>
#include <tuple>
#include <type_traits>
#include <utility>

namespace orv::dispatch {

template <class T>
T convertTo(const Variant& value)
{
    if constexpr (std::is_same_v<T, float>)
        return value.toSingle();
    else if constexpr (std::is_same_v<T, double>)
        return value.toDouble();
    else if constexpr (std::is_same_v<T, int32_t>)
        return value.toInt32();
    else if constexpr (std::is_same_v<T, int16_t>)
        return value.toInt16();
    else if constexpr (std::is_same_v<T, uint8_t>)
        return value.toByte();
    else if constexpr (std::is_same_v<T, bool>)
        return value.toBool();
    else if constexpr (std::is_same_v<T, Currency>)
        return value.toCurrency();
    else if constexpr (std::is_same_v<T, std::string>)
        return value.toString();
    else if constexpr (std::is_same_v<T, Variant>)
        return value;
    else
        static_assert(sizeof(T) == 0, "unsupported interface parameter type");
}

// The variant type that carries a parameter or result type; Empty for a
// variant (any value) and for no result.
template <class T>
constexpr VarType varTypeOf()
{
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, float>)
        return VarType::R4;
    else if constexpr (std::is_same_v<U, double>)
        return VarType::R8;
    else if constexpr (std::is_same_v<U, int32_t>)
        return VarType::I4;
    else if constexpr (std::is_same_v<U, int16_t>)
        return VarType::I2;
    else if constexpr (std::is_same_v<U, uint8_t>)
        return VarType::UI1;
    else if constexpr (std::is_same_v<U, bool>)
        return VarType::Bool;
    else if constexpr (std::is_same_v<U, Currency>)
        return VarType::CY;
    else if constexpr (std::is_same_v<U, std::string>)
        return VarType::BSTR;
    else
        return VarType::Empty;
}

// A by-reference Variant parameter binds to the caller's argument itself;
// every other parameter receives a converted copy.
template <class Param>
using Bound = std::conditional_t<std::is_same_v<Param, Variant&>, Variant&, std::remove_cvref_t<Param>>;

template <class Param>
Bound<Param> argument(std::vector<Variant>& args, size_t index, const ParamDecl& decl, const std::string& operation)
{
    using T = std::remove_cvref_t<Param>;
    if constexpr (std::is_same_v<Param, Variant&>) {
        return args[index];
    } else {
        const Variant& value = args[index];
        if (value.isMissing()) {
            switch (decl.presence) {
            case ParamDecl::Presence::Defaulted:
                return convertTo<T>(decl.defaultValue);
            case ParamDecl::Presence::Optional:
                if constexpr (std::is_same_v<T, Variant>)
                    return value;
                else
                    return T{};
            case ParamDecl::Presence::Required:
                break;
            }
            throw EngineError(DISP_E_PARAMNOTFOUND, operation + ": argument " + decl.name + " is not optional");
        }
        try {
            return convertTo<T>(value);
        } catch (const EngineError& e) {
            throw EngineError(e.status(), operation + ", argument " + decl.name + ": " + e.what());
        }
    }
}

template <class Member>
struct MemberTraits;
template <class R, class... A>
struct MemberTraits<R (IOrvReportEngine::*)(A...)> {
    using Result = R;
    static constexpr size_t arity = sizeof...(A);
    template <size_t I>
    using Arg = std::tuple_element_t<I, std::tuple<A...>>;

    static void describe(std::vector<ParamDecl>& params)
    {
        describeEach(params, std::index_sequence_for<A...>{});
    }

private:
    template <size_t... I>
    static void describeEach(std::vector<ParamDecl>& params, std::index_sequence<I...>)
    {
        ((params[I].type = varTypeOf<Arg<I>>(), params[I].byReference = std::is_same_v<Arg<I>, Variant&>), ...);
    }
};

template <auto Member, size_t... I>
Variant callWith(IOrvReportEngine& engine, std::vector<Variant>& args, const std::vector<ParamDecl>& decls,
                 const std::string& operation, std::index_sequence<I...>)
{
    using Traits = MemberTraits<decltype(Member)>;
    if constexpr (std::is_void_v<typename Traits::Result>) {
        (engine.*Member)(argument<typename Traits::template Arg<I>>(args, I, decls[I], operation)...);
        return Variant();
    } else {
        return Variant((engine.*Member)(argument<typename Traits::template Arg<I>>(args, I, decls[I], operation)...));
    }
}

template <auto Member>
DispatchEntry entry(const char* name, int32_t dispId, InvokeKind kind, std::string_view params)
{
    using Traits = MemberTraits<decltype(Member)>;
    DispatchEntry result;
    result.name = name;
    result.dispId = dispId;
    result.kind = kind;
    try {
        result.params = TDispatchTable::parseParams(params);
    } catch (const std::logic_error& e) {
        throw std::logic_error(std::string(name) + ": " + e.what());
    }
    if (result.params.size() != Traits::arity)
        throw std::logic_error(std::string("Parameter list does not match the operation ") + name);
    Traits::describe(result.params);
    result.hasResult = !std::is_void_v<typename Traits::Result>;
    result.resultType = varTypeOf<typename Traits::Result>();
    std::string operation = name;
    std::vector<ParamDecl> decls = result.params;
    result.call = [operation, decls](IOrvReportEngine& engine, std::vector<Variant>& args) {
        if (args.size() < Traits::arity)
            args.resize(Traits::arity, Variant::missing());
        return callWith<Member>(engine, args, decls, operation, std::make_index_sequence<Traits::arity>{});
    };
    return result;
}

template <auto Member>
DispatchEntry method(const char* name, int32_t dispId, std::string_view params = {})
{
    return entry<Member>(name, dispId, InvokeMethod, params);
}

template <auto Getter>
DispatchEntry getter(const char* name, int32_t dispId)
{
    return entry<Getter>(name, dispId, InvokePropertyGet, {});
}

template <auto Putter>
DispatchEntry putter(const char* name, int32_t dispId)
{
    return entry<Putter>(name, dispId, InvokePropertyPut, "value");
}

} // namespace orv::dispatch
