#pragma once
// Preprocessor helpers that turn the rows of the member tables into C++.
// A parameter is written (TYPE, name); TYPE is a token that selects the C++
// type of an in-parameter, of an out-parameter and the variant conversions.
#include <cstdint>
#include <string>

#include "control/core/tx_enums.h"
#include "platform/com/unknown.h"
#include "platform/com/variant.h"

// ---- for-each over up to 10 parenthesised parameters ----
#define QM_FE_1(m, s, x) m(x)
#define QM_FE_2(m, s, x, ...) m(x) s() QM_FE_1(m, s, __VA_ARGS__)
#define QM_FE_3(m, s, x, ...) m(x) s() QM_FE_2(m, s, __VA_ARGS__)
#define QM_FE_4(m, s, x, ...) m(x) s() QM_FE_3(m, s, __VA_ARGS__)
#define QM_FE_5(m, s, x, ...) m(x) s() QM_FE_4(m, s, __VA_ARGS__)
#define QM_FE_6(m, s, x, ...) m(x) s() QM_FE_5(m, s, __VA_ARGS__)
#define QM_FE_7(m, s, x, ...) m(x) s() QM_FE_6(m, s, __VA_ARGS__)
#define QM_FE_8(m, s, x, ...) m(x) s() QM_FE_7(m, s, __VA_ARGS__)
#define QM_FE_9(m, s, x, ...) m(x) s() QM_FE_8(m, s, __VA_ARGS__)
#define QM_FE_10(m, s, x, ...) m(x) s() QM_FE_9(m, s, __VA_ARGS__)
#define QM_FE_PICK(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, NAME, ...) NAME
#define QM_FOR_EACH(m, s, ...)                                                                   \
  __VA_OPT__(QM_FE_PICK(__VA_ARGS__, QM_FE_10, QM_FE_9, QM_FE_8, QM_FE_7, QM_FE_6, QM_FE_5,     \
                        QM_FE_4, QM_FE_3, QM_FE_2, QM_FE_1)(m, s, __VA_ARGS__))
#define QM_SEP_COMMA() ,
#define QM_SEP_NONE()

// ---- one parameter (TYPE, name) ----
#define QM_PARAM_DECL(p) QM_PARAM_DECL_ p
#define QM_PARAM_DECL_(type, name) QM_IN_##type name
#define QM_PARAM_NAME(p) QM_PARAM_NAME_ p
#define QM_PARAM_NAME_(type, name) name
#define QM_PARAM_INFO(p) QM_PARAM_INFO_ p
#define QM_PARAM_INFO_(type, name) ::quelmar::automation::ParamInfo{#name, #type}
#define QM_PARAM_READ(p) QM_PARAM_READ_ p
#define QM_PARAM_READ_(type, name)                                   \
  QM_STORE_##type name{};                                            \
  if (::quelmar::com::HRESULT hr_ = args.QM_READ_##type(name); hr_ < 0) return hr_;

// ---- type tokens ----
// In-parameter, out-parameter storage, argument reader, result to variant.
#define QM_IN_VARIANT const ::quelmar::com::Variant&
#define QM_STORE_VARIANT ::quelmar::com::Variant
#define QM_READ_VARIANT ReadVariant

#define QM_IN_BSTR const std::string&
#define QM_STORE_BSTR std::string
#define QM_READ_BSTR ReadString
#define QM_TO_VARIANT_BSTR(v) ::quelmar::com::Variant(v)

#define QM_IN_I4 std::int32_t
#define QM_STORE_I4 std::int32_t
#define QM_READ_I4 ReadInt32
#define QM_TO_VARIANT_I4(v) ::quelmar::com::Variant(static_cast<std::int32_t>(v))

#define QM_IN_I2 std::int16_t
#define QM_STORE_I2 std::int16_t
#define QM_READ_I2 ReadInt16
#define QM_TO_VARIANT_I2(v) ::quelmar::com::Variant(static_cast<std::int16_t>(v))

#define QM_IN_R8 double
#define QM_STORE_R8 double
#define QM_READ_R8 ReadDouble
#define QM_TO_VARIANT_R8(v) ::quelmar::com::Variant(static_cast<double>(v))

#define QM_IN_BOOL ::quelmar::com::VARIANT_BOOL
#define QM_STORE_BOOL ::quelmar::com::VARIANT_BOOL
#define QM_READ_BOOL ReadBool
#define QM_TO_VARIANT_BOOL(v) ::quelmar::com::Variant::Bool(v)

#define QM_IN_COLOR ::quelmar::com::OLE_COLOR
#define QM_STORE_COLOR ::quelmar::com::OLE_COLOR
#define QM_READ_COLOR ReadColor
#define QM_TO_VARIANT_COLOR(v) ::quelmar::com::Variant(static_cast<std::int32_t>(v))

#define QM_IN_FONT ::quelmar::com::IDispatch*
#define QM_STORE_FONT ::quelmar::com::IDispatch*
#define QM_READ_FONT ReadDispatch
#define QM_TO_VARIANT_FONT(v) ::quelmar::automation::DispatchResult(v)

// Enumerations travel as int32.
#define QM_IN_TxMagnitude ::quelmar::TxMagnitude
#define QM_IN_TxMapMode ::quelmar::TxMapMode
#define QM_IN_TxMapunit ::quelmar::TxMapunit
#define QM_IN_TxUndMode ::quelmar::TxUndMode
#define QM_IN_TxTbMode ::quelmar::TxTbMode
#define QM_IN_TxLLMode ::quelmar::TxLLMode
#define QM_IN_TxCoord ::quelmar::TxCoord
#define QM_IN_TxBevelCut ::quelmar::TxBevelCut
#define QM_STORE_TxMagnitude ::quelmar::TxMagnitude
#define QM_STORE_TxMapMode ::quelmar::TxMapMode
#define QM_STORE_TxMapunit ::quelmar::TxMapunit
#define QM_STORE_TxUndMode ::quelmar::TxUndMode
#define QM_STORE_TxTbMode ::quelmar::TxTbMode
#define QM_STORE_TxLLMode ::quelmar::TxLLMode
#define QM_STORE_TxCoord ::quelmar::TxCoord
#define QM_STORE_TxBevelCut ::quelmar::TxBevelCut
#define QM_READ_TxMagnitude ReadEnum
#define QM_READ_TxMapMode ReadEnum
#define QM_READ_TxMapunit ReadEnum
#define QM_READ_TxUndMode ReadEnum
#define QM_READ_TxTbMode ReadEnum
#define QM_READ_TxLLMode ReadEnum
#define QM_READ_TxCoord ReadEnum
#define QM_READ_TxBevelCut ReadEnum
#define QM_TO_VARIANT_TxMagnitude QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxMapMode QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxMapunit QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxUndMode QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxTbMode QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxLLMode QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxCoord QM_TO_VARIANT_I4
#define QM_TO_VARIANT_TxBevelCut QM_TO_VARIANT_I4

#define QM_OUT(type) QM_STORE_##type*
